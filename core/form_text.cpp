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
    // A read pass assigns every field's text to the same FormText: the
    // buffer is kept and reused while the text fits. memmove, since the
    // text may be a view of this one.
    if (m_text != nullptr && text.size() <= m_capacity) {
        if (!text.empty())
            std::memmove(m_text, text.data(), text.size());
    } else {
        // The new copy is made before the old one is freed, for the same
        // reason.
        char* copy = new char[text.size() + 1];
        if (!text.empty())
            std::memcpy(copy, text.data(), text.size());
        delete[] m_text;
        m_text = copy;
        m_capacity = text.size();
    }
    m_text[text.size()] = '\0';
    m_length = text.size();
}
