#include "document/BlankPage.h"

namespace document {

QByteArray BlankPageTemplateBytes()
{
    // "无标题网页" in GBK is CE DE B1 EA CC E2 CD F8 D2 B3.
    static const QByteArray bytes(
        "<HTML><HEAD><TITLE>\xCE\xDE\xB1\xEA\xCC\xE2\xCD\xF8\xD2\xB3</TITLE>\r\n"
        "<META http-equiv=Content-Type content=\"text/html; charset=gb2312\">\r\n"
        "<META content=\"MSHTML 6.00.2900.6058\" name=GENERATOR></HEAD>\r\n"
        "<BODY></BODY></HTML>");
    return bytes;
}

QString BlankPageTemplate()
{
    return QStringLiteral(
        "<HTML><HEAD><TITLE>无标题网页</TITLE>\r\n"
        "<META http-equiv=Content-Type content=\"text/html; charset=gb2312\">\r\n"
        "<META content=\"MSHTML 6.00.2900.6058\" name=GENERATOR></HEAD>\r\n"
        "<BODY></BODY></HTML>");
}

} // namespace document
