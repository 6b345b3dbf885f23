#include "firebird/connect_params.h"

#include "firebird/database.h"
#include "firebird/db_param_lines.h"
#include "platform/rtl/filer.h"
#include "platform/rtl/reader.h"
#include "platform/rtl/update_scope.h"
#include "platform/rtl/writer.h"

void TDBParams::DefineProperties(TFiler& filer, const std::string& name, const TStrings* ancestor) {
    const bool hasData = ancestor == nullptr ? Count() > 0 : !Equals(*ancestor);
    filer.DefineProperty(
        name + ".Strings", [this](TReader& reader) { ReadData(reader); },
        [this](TWriter& writer) { WriteData(writer); }, hasData);
}

void TDBParams::WriteData(TWriter& writer) const {
    TStringList lines;
    lines.Assign(*this);
    if (database_ != nullptr && database_->DesignDBOptions().Contains(ddoNotSavePassword))
        SetDBParamValueByCode(lines, TConnectParams::PasswordCode, "");
    writer.WriteListBegin();
    for (int i = 0; i < lines.Count(); ++i) writer.WriteString(lines[i]);
    writer.WriteListEnd();
}

void TDBParams::ReadData(TReader& reader) {
    TStringList read;
    reader.ReadListBegin();
    while (!reader.EndOfList()) read.Add(reader.ReadString());
    reader.ReadListEnd();
    const auto update = UpdateScope(*this);
    Clear();
    AddStrings(read);
}

const TPropertyList& TConnectParams::Published() {
    static const TPropertyList list =
        TPublish<TConnectParams>(TPersistent::Published())
            .String("UserName", &TConnectParams::UserName, &TConnectParams::SetUserName)
            .String("Password", &TConnectParams::Password, &TConnectParams::SetPassword)
            .String("CharSet", &TConnectParams::CharSet, &TConnectParams::SetCharSet)
            .String("RoleName", &TConnectParams::RoleName, &TConnectParams::SetRoleName);
    return list;
}

TFIBDatabase* TConnectParams::Database() const {
    return dynamic_cast<TFIBDatabase*>(owner_);
}

std::string TConnectParams::Value(int code) const {
    const TFIBDatabase* database = Database();
    return database == nullptr ? std::string() : DBParamValue(database->DBParams(), code);
}

void TConnectParams::SetValue(int code, const std::string& value) {
    if (TFIBDatabase* database = Database())
        SetDBParamValueByCode(database->DBParams(), code, value);
}
