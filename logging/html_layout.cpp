#include "logging/html_layout.h"

#include "logging/log_event.h"
#include "logging/log_level.h"
#include "platform/rtl/datetime.h"
#include "platform/rtl/strings.h"

namespace {

const char* const CRLF = "\r\n";

std::string LevelCell(const TLogLevel* level) {
    const std::string name = HtmlEscape(level->Name());
    if (level->Value() == TLogLevel::Debug()->Value())
        return "<font color=\"#339933\">" + name + "</font>";
    if (level->IsGreaterOrEqual(TLogLevel::Warn()))
        return "<font color=\"#993300\"><strong>" + name + "</strong></font>";
    return name;
}

}  // namespace

std::string HtmlEscape(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '&':
                out += "&amp;";
                break;
            case '"':
                out += "&quot;";
                break;
            case '\'':
                out += "&#39;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

void TLogHTMLLayout::SetOption(std::string_view name, std::string_view value) {
    TLogCustomLayout::SetOption(name, value);
    if (name == "title")
        title_ = value;
}

std::string TLogHTMLLayout::GetHeader() {
    std::string h;
    h += "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\" "
         "\"http://www.w3.org/TR/html4/loose.dtd\">";
    h += CRLF;
    for (const std::string& line :
         {std::string("<html>"), std::string("<head>"), "<title>" + HtmlEscape(title_) + "</title>",
          std::string("<style type=\"text/css\">"), std::string("<!--"),
          std::string("body, table {font-family: arial,sans-serif; font-size: x-small;}"),
          std::string("th {background: #336699; color: #FFFFFF; text-align: left;}"), std::string("-->"),
          std::string("</style>"), std::string("</head>"),
          std::string("<body bgcolor=\"#FFFFFF\" topmargin=\"6\" leftmargin=\"6\">"),
          std::string("<hr size=\"1\" noshade>"), "Log session start time " + DateTimeToStr(Now()) + "<br>",
          std::string("<br>"),
          std::string("<table cellspacing=\"0\" cellpadding=\"4\" border=\"1\" bordercolor=\"#224466\" "
                      "width=\"100%\">")}) {
        h += line;
        h += CRLF;
    }
    h += "<tr><th>Time</th><th>Thread</th><th>Level</th><th>Logger</th><th>NDC</th><th>Message</th></tr>";
    h += CRLF;
    return h;
}

std::string TLogHTMLLayout::GetFooter() {
    return "</table>\r\n</body>\r\n</html>\r\n";
}

std::string TLogHTMLLayout::Format(const TLogEvent& event) {
    std::string row = "<tr><td>" + IntToStr(event.ElapsedTime()) + "</td><td>" + IntToStr(event.ThreadId()) +
                      "</td><td>" + LevelCell(event.Level) + "</td><td>" + HtmlEscape(event.LoggerName()) +
                      "</td><td>" + HtmlEscape(event.NDC()) + "</td><td>" + HtmlEscape(event.Message) +
                      "</td></tr>" + CRLF;
    if (!event.ErrorMessage.empty()) {
        row += "<tr><td bgcolor=\"#993300\" style=\"color: White; font-size: xx-small;\" colspan=\"6\">" +
               HtmlEscape(event.ErrorMessage) + "</td></tr>" + CRLF;
    }
    return row;
}
