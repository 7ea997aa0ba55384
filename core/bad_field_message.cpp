#include "bad_field_message.h"

#include <cstring>

#include "control_names.h"

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

bool LabelIsShared(const ControlName& name)
{
    for (const ControlName& other : kControlNames)
        if (&other != &name && std::strcmp(other.label, name.label) == 0)
            return true;
    return false;
}

}  // namespace

std::size_t BadFieldMessage(int control, std::string_view text, char* out)
{
    Writer message(out);
    const ControlName* name = FindControlName(control);
    if (name == nullptr) {
        message << "Please enter a number";
    } else {
        message << name->label;
        if (LabelIsShared(*name) && name->calculator != nullptr)
            message << " (" << name->calculator << ")";
        message << ": please enter a number";
    }
    if (text.find(',') != std::string_view::npos)
        message << " with a decimal point, not a comma (2.5, not 2,5)";
    message << ".";
    return message.Length();
}
