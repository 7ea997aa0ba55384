// The page's controls as the form controller sees them: each call goes to
// the page's script through the imports of page_imports.h.
#include "page_controls.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "page_imports.h"

void PageControls::ReadText(int control, FormText& out)
{
    // In place when short, on the heap when not, so that no long text is
    // ever read cut (a cut number would read as another one).
    char local[64];
    const std::size_t length = PageReadText(control, local, sizeof local);
    if (length <= sizeof local) {
        out.Assign({local, length});
        return;
    }
    const std::unique_ptr<char[]> heap(new char[length]);
    out.Assign({heap.get(), std::min(PageReadText(control, heap.get(), length), length)});
}

bool PageControls::IsModified(int control)
{
    return PageIsModified(control) != 0;
}

int PageControls::ReadSelection(int control)
{
    return PageReadSelection(control);
}

bool PageControls::Fits(int control, const char* text)
{
    return PageFits(control, text, std::strlen(text)) != 0;
}

void PageControls::WriteNumber(int control, const char* shown, const char* exact)
{
    PageWriteNumber(control, shown, std::strlen(shown), exact, exact != nullptr ? std::strlen(exact) : 0);
}

void PageControls::WriteSelection(int control, int index)
{
    PageWriteSelection(control, index);
}

void PageControls::WriteText(int control, const FormText& text)
{
    PageWriteText(control, text.c_str(), text.size());
}

bool PageControls::IsFocused(int control)
{
    return PageIsFocused(control) != 0;
}

bool PageControls::HoldsFocus()
{
    return PageHasFocus() != 0;
}

bool PageControls::IsActive()
{
    return PageHasFocus() != 0;
}

void PageControls::FocusAndSelect(int control)
{
    PageFocusAndSelect(control);
}

void PageControls::ReportBadField(int control, const char* message)
{
    PageReportBadField(control, message, std::strlen(message));
}

void PageControls::Announce(int, const char* text)
{
    PageAnnounce(text, std::strlen(text));
}

void PageControls::RunAboutBox()
{
    PageRunAbout();
}
