#pragma once

#include <cstddef>

// What the page gives the program: its controls, read and written by control
// number, the width test of the fit rule, its About box, whether it holds the
// focus, and a place to say a result aloud. Texts cross as UTF-8 bytes in
// the module's memory.
#define VELQUOR_FROM_PAGE(name) __attribute__((import_module("page"), import_name(name)))

extern "C" {

// Copies up to `capacity` bytes of the control's text to `out`; returns the
// whole text's length, which may be more.
VELQUOR_FROM_PAGE("read_text")
std::size_t PageReadText(int control, char* out, std::size_t capacity);

// Whether the user has changed the field since the program last wrote it.
VELQUOR_FROM_PAGE("is_modified") int PageIsModified(int control);

// Whether `text` fits the field's content width in the field's own font.
VELQUOR_FROM_PAGE("fits") int PageFits(int control, const char* text, std::size_t length);

// Shows `shown` in the field; `exact` is the full value when `shown` is
// rounded, empty otherwise.
VELQUOR_FROM_PAGE("write_number")
void PageWriteNumber(int control, const char* shown, std::size_t shownLength, const char* exact,
                     std::size_t exactLength);

VELQUOR_FROM_PAGE("read_selection") int PageReadSelection(int control);
VELQUOR_FROM_PAGE("write_selection") void PageWriteSelection(int control, int index);
VELQUOR_FROM_PAGE("write_text") void PageWriteText(int control, const char* text, std::size_t length);

// Shows `message` beside the field.
VELQUOR_FROM_PAGE("report_bad_field")
void PageReportBadField(int control, const char* message, std::size_t length);

// What a screen reader calls the control.
VELQUOR_FROM_PAGE("name") void PageName(int control, const char* name, std::size_t length);

VELQUOR_FROM_PAGE("run_about") void PageRunAbout();
VELQUOR_FROM_PAGE("has_focus") int PageHasFocus();
VELQUOR_FROM_PAGE("focused_control") int PageFocusedControl();  // 0: none
// Puts the focus on the control with its whole text selected.
VELQUOR_FROM_PAGE("focus_and_select") void PageFocusAndSelect(int control);
VELQUOR_FROM_PAGE("announce") void PageAnnounce(const char* text, std::size_t length);
}
