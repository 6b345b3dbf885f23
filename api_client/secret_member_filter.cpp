#include "api_client/secret_member_filter.h"

#include <algorithm>
#include <cctype>

#include "platform/rtl/strings.h"

namespace {

constexpr std::string_view kMask = "\"***\"";

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool IsLineBreak(char c) {
    return c == '\r' || c == '\n';
}

}  // namespace

TSecretMemberFilter::TSecretMemberFilter(std::vector<std::string> names) : names_(std::move(names)) {
    for (auto& name : names_) {
        name = LowerCase(name);
        longestName_ = std::max(longestName_, name.size());
    }
}

std::string TSecretMemberFilter::Filter(std::string_view piece) {
    std::string out;
    out.reserve(piece.size());
    for (char c : piece) {
        switch (state_) {
            case TState::Outside:
                Outside(c, out);
                break;
            case TState::InString:
                InString(c, out);
                break;
            case TState::AfterName:
                AfterName(c, out);
                break;
            case TState::AfterColon:
                AfterColon(c, out);
                break;
            case TState::SecretString:
                SecretString(c);
                break;
            case TState::SecretScalar:
                SecretScalar(c, out);
                break;
        }
    }
    return out;
}

void TSecretMemberFilter::Outside(char c, std::string& out) {
    out += c;
    if (c != '"')
        return;
    state_ = TState::InString;
    escaped_ = false;
    name_.clear();
    nameUsable_ = true;
}

void TSecretMemberFilter::InString(char c, std::string& out) {
    out += c;
    if (escaped_) {
        escaped_ = false;
        nameUsable_ = false;
    } else if (c == '\\') {
        escaped_ = true;
    } else if (c == '"') {
        state_ = IsSecretName() ? TState::AfterName : TState::Outside;
    } else if (IsLineBreak(c)) {
        // A JSON string holds no raw line break: a lone quote in a header line ends with its line.
        state_ = TState::Outside;
    } else if (nameUsable_ && name_.size() < longestName_) {
        name_ += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    } else {
        nameUsable_ = false;
    }
}

void TSecretMemberFilter::AfterName(char c, std::string& out) {
    if (c == ':') {
        out += c;
        state_ = TState::AfterColon;
    } else if (IsBlank(c)) {
        out += c;
    } else {
        state_ = TState::Outside;
        Outside(c, out);
    }
}

void TSecretMemberFilter::AfterColon(char c, std::string& out) {
    if (IsBlank(c)) {
        out += c;
    } else if (c == '{' || c == '[') {
        state_ = TState::Outside;
        Outside(c, out);
    } else {
        out += kMask;
        escaped_ = false;
        state_ = c == '"' ? TState::SecretString : TState::SecretScalar;
    }
}

void TSecretMemberFilter::SecretString(char c) {
    if (escaped_)
        escaped_ = false;
    else if (c == '\\')
        escaped_ = true;
    else if (c == '"')
        state_ = TState::Outside;
}

void TSecretMemberFilter::SecretScalar(char c, std::string& out) {
    if (c == ',' || c == '}' || c == ']' || IsBlank(c)) {
        state_ = TState::Outside;
        Outside(c, out);
    }
}

bool TSecretMemberFilter::IsSecretName() const {
    return nameUsable_ && std::find(names_.begin(), names_.end(), name_) != names_.end();
}
