#pragma once

#include <QString>

#include <memory>

// UTF-16 copy of a UTF-8 byte text, zero-terminated, for interfaces that take
// wide strings. A null source gives a null pointer.
class CWideString
{
public:
    explicit CWideString(const char* utf8);
    virtual ~CWideString();

    CWideString(const CWideString&) = delete;
    CWideString& operator=(const CWideString&) = delete;

    // Owned; valid while the object lives.
    char16_t* m_pszWide = nullptr;
};
