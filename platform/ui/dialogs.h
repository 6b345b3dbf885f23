#pragma once
// Message boxes through the window system.
#include <string>

constexpr unsigned MB_OK = 0x00000000;
constexpr unsigned MB_OKCANCEL = 0x00000001;
constexpr unsigned MB_YESNO = 0x00000004;
constexpr unsigned MB_ICONSTOP = 0x00000010;
constexpr unsigned MB_ICONERROR = MB_ICONSTOP;
constexpr unsigned MB_ICONQUESTION = 0x00000020;
constexpr unsigned MB_ICONWARNING = 0x00000030;
constexpr unsigned MB_ICONINFORMATION = 0x00000040;

constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDYES = 6;
constexpr int IDNO = 7;
// Yes, No and All: a question that can be answered once for every case to come.
constexpr unsigned MB_YESNOALL = 0x00000007;
constexpr int IDALL = 8;

// A modal message box; returns the button pressed (IDOK ...).
int MessageBox(const std::string& text, const std::string& caption, unsigned flags);
void ShowMessage(const std::string& text);
