#include "bad_field_message.h"

#include <cstring>

#include "calculator_table.h"

namespace {

// Appends to a bounded buffer; what does not fit is left out.
class Writer {
public:
    explicit Writer(char* out) : m_out(out) { m_out[0] = '\0'; }

    Writer& operator<<(std::string_view text)
    {
        const std::size_t room = kBadFieldMessageSize - 1 - m_length;
        const std::size_t count = text.size() < room ? text.size() : room;
        std::memcpy(m_out + m_length, text.data(), count);
        m_length += count;
        m_out[m_length] = '\0';
        return *this;
    }

    std::size_t Length() const { return m_length; }

private:
    char* m_out;
    std::size_t m_length = 0;
};

}  // namespace

std::size_t BadFieldMessage(int control, std::string_view text, char* out)
{
    Writer message(out);
    const NamedControl* name = FindNamedControl(control);
    if (name == nullptr) {
        message << "Please enter a number";
    } else {
        message << name->label;
        if (const char* caption = TellingCaption(control))
            message << " (" << caption << ")";
        message << ": please enter a number";
    }
    // A comma is a decimal comma to some and a thousands separator to
    // others: "1,000" meant as a thousand must not become 1.000.
    if (text.find(',') != std::string_view::npos)
        message << " with a point for decimals and no thousands separator"
                   " (2.5, not 2,5; 1000, not 1,000)";
    message << ".";
    return message.Length();
}
