#pragma once
// Base of the values that travel as XML-Schema texts. It adds nothing to a plain polymorphic object.
class TRemotableXS {
  public:
    TRemotableXS() = default;
    virtual ~TRemotableXS() = default;
    TRemotableXS(const TRemotableXS&) = default;
    TRemotableXS& operator=(const TRemotableXS&) = default;
};
