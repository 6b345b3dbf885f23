#pragma once
// Masks secrets in JSON text that arrives in pieces, as the socket's data does: the value of every
// member whose name is one of the given names (any letter case) is written as "***". A value split
// across pieces is masked all the same, since the filter keeps its place from one piece to the
// next. Objects and arrays under such a name are entered, and their own secret members masked.
// Names written with escapes are not recognised.
#include <string>
#include <string_view>
#include <vector>

class TSecretMemberFilter {
  public:
    explicit TSecretMemberFilter(std::vector<std::string> names);

    // The piece as it may be logged.
    std::string Filter(std::string_view piece);

  private:
    enum class TState { Outside, InString, AfterName, AfterColon, SecretString, SecretScalar };

    void Outside(char c, std::string& out);
    void InString(char c, std::string& out);
    void AfterName(char c, std::string& out);
    void AfterColon(char c, std::string& out);
    void SecretString(char c);
    void SecretScalar(char c, std::string& out);
    bool IsSecretName() const;

    std::vector<std::string> names_;  // lower case
    std::size_t longestName_ = 0;
    TState state_ = TState::Outside;
    bool escaped_ = false;  // the last character was a backslash inside a string
    std::string name_;      // the string read so far, while it may still be a secret name
    bool nameUsable_ = false;
};
