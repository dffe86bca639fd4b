#include "util/WideString.h"

#include <cstring>

CWideString::CWideString(const char* utf8)
{
    if (!utf8)
        return;
    const QString text = QString::fromUtf8(utf8, qsizetype(std::strlen(utf8)));
    const qsizetype n = text.size() + 1; // terminator included
    m_pszWide = new char16_t[n + 1]();   // one spare character
    std::memcpy(m_pszWide, text.utf16(), size_t(text.size()) * sizeof(char16_t));
}

CWideString::~CWideString()
{
    delete[] m_pszWide;
}
