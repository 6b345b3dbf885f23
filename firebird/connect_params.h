#pragma once
// The database's parameter lines as a list that knows its database, so that its stored form can
// leave the password out; and the four connection settings read and written through those lines.
#include <string>

#include "platform/rtl/component.h"
#include "platform/rtl/string_list.h"

class TFIBDatabase;
class TFiler;
class TReader;
class TWriter;

class TDBParams : public TStringList {
  public:
    explicit TDBParams(TFIBDatabase* database) : database_(database) {}
    TFIBDatabase* Database() const { return database_; }

    // "<name>.Strings" in a stored form; the ancestor is the same database's lines in the form this
    // one inherits from.
    void DefineProperties(TFiler& filer, const std::string& name, const TStrings* ancestor);
    // With ddoNotSavePassword the password line is left out; the list itself keeps it.
    void WriteData(TWriter& writer) const;
    void ReadData(TReader& reader);

  private:
    TFIBDatabase* database_;
};

class TConnectParams : public TPersistent {
  public:
    explicit TConnectParams(TPersistent* owner) : owner_(owner) {}
    std::string ClassName() const override { return "TConnectParams"; }
    TPersistent* GetOwner() const override { return owner_; }
    static const TPropertyList& Published();
    const TPropertyList& PublishedProperties() const override { return Published(); }

    std::string UserName() const { return Value(UserNameCode); }
    void SetUserName(const std::string& value) { SetValue(UserNameCode, value); }
    std::string Password() const { return Value(PasswordCode); }
    void SetPassword(const std::string& value) { SetValue(PasswordCode, value); }
    std::string CharSet() const { return Value(CharSetCode); }
    void SetCharSet(const std::string& value) { SetValue(CharSetCode, value); }
    std::string RoleName() const { return Value(RoleNameCode); }
    void SetRoleName(const std::string& value) { SetValue(RoleNameCode, value); }

    // The DPB codes of the four lines.
    static constexpr int UserNameCode = 28;
    static constexpr int PasswordCode = 29;
    static constexpr int CharSetCode = 48;
    static constexpr int RoleNameCode = 60;

  private:
    TFIBDatabase* Database() const;
    std::string Value(int code) const;
    void SetValue(int code, const std::string& value);

    TPersistent* owner_;
};
