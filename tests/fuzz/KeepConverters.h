#pragma once
// glibc loads the module of an iconv conversion when the first descriptor
// for it opens and unloads it when the last one closes. The code under test
// opens and closes one per call, so without a descriptor kept open for the
// whole run most of a fuzzer's time goes into loading shared objects.
#include <iconv.h>

inline void keepConvertersLoaded()
{
    static const char *const kNames[] = {
        "GB18030", "GBK", "CP950", "BIG5-HKSCS", "CP1252", "CP932", "CP949", "EUC-JP",
        "KOI8-R", "ISO-8859-1", "ISO-8859-2", "ISO-8859-5", "ISO-8859-7", "ISO-8859-15",
        "WINDOWS-1250", "WINDOWS-1251", "UTF-16LE", "UTF-16BE", "UTF-32LE", "UTF-32BE",
    };
    static iconv_t kept[2 * sizeof kNames / sizeof *kNames];
    size_t n = 0;
    for (const char *name : kNames) {
        kept[n++] = iconv_open("UTF-8", name);
        kept[n++] = iconv_open(name, "UTF-8");
    }
}
