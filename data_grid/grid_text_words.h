#pragma once
// Words of a text: maximal runs of characters that are not delimiters. Only single-byte characters
// can be delimiters; the bytes of a multi-byte UTF-8 character never are. Positions are 1-based
// byte positions.
#include <bitset>
#include <string>
#include <string_view>

class TWordDelimitersEh {
  public:
    TWordDelimitersEh(std::initializer_list<char> Delimiters);
    bool Contains(unsigned char Ch) const { return Ch < 0x80 && set_.test(Ch); }

  private:
    std::bitset<128> set_;
};

// The position of the n-th word (n from 1); 0 when there is none.
int NthWordPosition(int N, std::string_view Text, const TWordDelimitersEh& Delimiters);
// The n-th word; empty when there is none.
std::string NthWord(int N, std::string_view Text, const TWordDelimitersEh& Delimiters);
std::string NthWordAndPosition(int N, std::string_view Text, const TWordDelimitersEh& Delimiters,
                               int& Position);
