#pragma once

#include <windows.h>

// The program's procedures in front of a control's own window procedure.
//
// Each control has one chain, the program's only hold on its procedure: the
// first procedure put on a control puts the chain in place, and the chain
// takes itself out again, the control's own procedure back in its place,
// with the control's last message (WM_NCDESTROY), after every procedure has
// seen it. No procedure is ever taken off on its own, so none can take off
// another's, or put back a procedure that is gone, whatever the order they
// were put on in. The chains are kept in the program, found by their
// control: under Wine, putting a chain in the control's user data or in a
// window property costs a round trip to the server for each control, and
// the controls' user data stays free for others.

struct SubclassChain;

// The rest of a control's chain behind one of its procedures: the procedures
// put on before it, then the control's own.
class SubclassNext {
public:
    SubclassNext(SubclassChain& chain, HWND control, int below)
        : m_chain(chain), m_control(control), m_below(below)
    {
    }

    LRESULT operator()(UINT message, WPARAM wParam, LPARAM lParam) const;

private:
    SubclassChain& m_chain;
    HWND m_control;
    int m_below;  // how many of the chain's procedures are still to come
};

// A procedure in a control's chain. It sees each message before the
// procedures put on before it and the control's own, and passes on what it
// does not take itself by calling `next`. `data` is what it was put on with;
// a procedure whose data the control owns lets it go on WM_NCDESTROY.
using SubclassProcedure = LRESULT (*)(void* data, HWND control, UINT message, WPARAM wParam,
                                      LPARAM lParam, const SubclassNext& next);

// Puts `procedure`, with `data`, in front of `control`'s chain for the rest of
// the control's life. False, and nothing changed, when the chain is full,
// when another subclass put on since hides the control's chain, or when the
// program holds chains for as many controls as it can.
bool AddSubclass(HWND control, SubclassProcedure procedure, void* data);
