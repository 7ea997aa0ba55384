#include "form_text.h"

#include <cstring>

FormText::~FormText()
{
    delete[] m_text;
}

FormText& FormText::operator=(const char* text)
{
    Assign(text != nullptr ? std::string_view(text) : std::string_view());
    return *this;
}

void FormText::Assign(std::string_view text)
{
    // The new copy is made before the old one is freed: the text may be a
    // view of this one.
    char* copy = new char[text.size() + 1];
    if (!text.empty())
        std::memcpy(copy, text.data(), text.size());
    copy[text.size()] = '\0';
    delete[] m_text;
    m_text = copy;
    m_length = text.size();
}
