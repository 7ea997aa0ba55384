// The page's side of the calculator: it hands each event to the WebAssembly
// module and does what the module asks of the page's controls. Every rule,
// number and text comes from the module or from the page itself.
'use strict';

(() => {
    const FOCUS_IN = 0, FOCUS_OUT = 1, CLICK = 2, CHANGE = 3;
    const controls = new Map();  // control number -> element
    for (const element of document.querySelectorAll('[data-control]'))
        controls.set(Number(element.dataset.control), element);
    const controlOf = element => Number(element?.dataset?.control) || 0;
    const modified = new Set();  // fields typed into since the program wrote them
    const message = document.getElementById('message');
    const status = document.getElementById('status');
    const about = document.getElementById('about');
    const measure = document.createElement('canvas').getContext('2d');
    let reported = null;  // the field the message is about

    // Each number field's full value when it shows it rounded: its tooltip,
    // its accessible description, and shown below it while it has the focus.
    const exactOf = new Map();
    for (const [control, element] of controls) {
        if (element.tagName !== 'INPUT')
            continue;
        element.autocomplete = 'off';
        element.spellcheck = false;
        element.setAttribute('autocapitalize', 'off');
        const exact = document.createElement('span');
        exact.className = 'exact';
        exact.id = `exact${control}`;
        element.after(exact);
        element.setAttribute('aria-describedby', exact.id);
        exactOf.set(control, exact);
    }
    // Some phones' decimal keypads have no minus sign and no exponent, and
    // in some languages a comma instead of the point: the full keyboard is
    // one press away.
    const keys = document.getElementById('keys');
    keys.addEventListener('click', () => {
        const full = keys.getAttribute('aria-pressed') !== 'true';
        keys.setAttribute('aria-pressed', full);
        for (const field of document.querySelectorAll('[inputmode]'))
            field.inputMode = full ? 'text' : 'decimal';
    });

    let module = null;
    let started = false;  // the module has written the opening form
    const encoder = new TextEncoder();
    const decoder = new TextDecoder();
    const text = (at, length) => decoder.decode(new Uint8Array(module.memory.buffer, at, length));
    const pane = document.getElementById('instructions');
    let reportedNow = false;  // a field was named as not a number by the event being handled
    let leavingFor = null;  // the element the focus goes to, while a field is being left

    // Each number field's font and room for text, read for all of them at
    // once and kept while the module's call that asked runs: read field by
    // field, between the numbers it writes, they laid the page out again for
    // each. Writing a number changes no field's width.
    let rooms = null;
    const roomOf = field => {
        if (!rooms) {
            rooms = new Map();
            for (const control of exactOf.keys()) {
                const element = controls.get(control);
                const style = getComputedStyle(element);
                // From its parts: with the system's colours forced, the font
                // shorthand reads as empty and the canvas would keep its own.
                rooms.set(element, {
                    font: `${style.fontStyle} ${style.fontWeight} ${style.fontSize} ${style.fontFamily}`,
                    width: element.clientWidth - parseFloat(style.paddingLeft) - parseFloat(style.paddingRight),
                });
            }
            queueMicrotask(() => { rooms = null; });
        }
        return rooms.get(field);
    };

    const clearMessage = () => {
        message.hidden = true;
        message.textContent = '';
        reported?.removeAttribute('aria-invalid');
        reported?.setAttribute('aria-describedby', exactOf.get(controlOf(reported)).id);
        reported = null;
    };

    const page = {
        read_text(control, out, capacity) {
            const element = controls.get(control);
            const bytes = encoder.encode(element.value ?? element.textContent);
            new Uint8Array(module.memory.buffer, out, capacity).set(bytes.subarray(0, capacity));
            return bytes.length;
        },
        is_modified: control => modified.has(control),
        fits(control, at, length) {
            const room = roomOf(controls.get(control));
            measure.font = room.font;
            // Narrower than the room, so that the caret after the text stays inside.
            return measure.measureText(text(at, length)).width < room.width;
        },
        write_number(control, shownAt, shownLength, exactAt, exactLength) {
            const element = controls.get(control);
            const exact = exactLength ? text(exactAt, exactLength) : '';
            element.value = text(shownAt, shownLength);
            modified.delete(control);
            element.title = exact;
            exactOf.get(control).textContent = exact;
            if (element === reported)
                clearMessage();
        },
        read_selection: control => controls.get(control).selectedIndex,
        write_selection(control, index) { controls.get(control).selectedIndex = index; },
        // New help in the pane is brought into view, which on a phone is
        // often below the screen; the focus stays where it is.
        write_text(control, at, length) {
            const element = controls.get(control);
            const shown = text(at, length);
            if (element.textContent === shown)
                return;
            element.textContent = shown;
            if (element === pane && started) {
                const still = matchMedia('(prefers-reduced-motion: reduce)').matches;
                pane.scrollIntoView({ block: 'nearest', behavior: still ? 'instant' : 'smooth' });
            }
        },
        report_bad_field(control, at, length) {
            reportedNow = true;
            clearMessage();
            const field = controls.get(control);
            field.parentElement.after(message);
            message.textContent = text(at, length);
            message.hidden = false;
            field.setAttribute('aria-invalid', 'true');
            field.setAttribute('aria-describedby', `${message.id} ${exactOf.get(control).id}`);
            reported = field;
        },
        // While a field is being left, the control the focus goes to holds it,
        // as in the window (the browser's own focus is nowhere until then).
        focused_control: () => controlOf(leavingFor ?? document.activeElement),
        focus_and_select(control) {
            const field = controls.get(control);
            field.focus();
            field.select();
        },
        // The same name the window gives the control; the pane and other
        // text keep their own.
        name(control, at, length) {
            const element = controls.get(control);
            if (['INPUT', 'SELECT', 'BUTTON'].includes(element?.tagName))
                element.setAttribute('aria-label', text(at, length));
        },
        run_about() { about.showModal(); },
        // The About box is a window of its own, as in Windows: while it is
        // open the focus is away from the form, and a field left for it is
        // read once the focus is back.
        has_focus: () => document.hasFocus() && !about.open,
        announce(at, length) { status.textContent = text(at, length); },
    };

    // Live from the start: what is typed while the module loads is kept, and
    // the last press made meanwhile runs once it has started.
    const live = on => {
        for (const control of document.querySelectorAll('main :is(input, select, button)'))
            control.disabled = !on;
    };
    live(true);
    let waiting = null;
    const whenStarted = action => {
        if (started)
            action();
        else
            waiting = action;
    };

    // Until the module has started there is no core to tell: what is typed
    // meanwhile waits for the opening form.
    const notify = (element, event) => started && module.notify(controlOf(element), event);
    const press = button => notify(button, CLICK);
    const isField = element => element.matches?.('input, select') && controls.has(controlOf(element));
    // A field left for a button may be named as not a number; the message
    // then moves the page under the pointer, and the press, whose button
    // has gone from under it, would be lost: it runs at once instead.
    let pressing = null;  // the button a pointer went down on, while the focus moves to it
    let pressedEarly = null;  // the button that press ran for, whose own click is then not a second one
    document.addEventListener('mousedown', event => {
        pressing = event.target.closest?.('button[data-control]') ?? null;
        pressedEarly = null;
        setTimeout(() => { pressing = null; });
    });
    document.addEventListener('focusin', event => isField(event.target) && notify(event.target, FOCUS_IN));
    document.addEventListener('focusout', event => {
        if (!started || !isField(event.target))
            return;
        reportedNow = false;
        leavingFor = event.relatedTarget ?? document.body;
        try {
            notify(event.target, FOCUS_OUT);
            if (reportedNow && pressing) {
                pressedEarly = pressing;
                pressing = null;
                press(pressedEarly);
            }
        } finally {
            leavingFor = null;
        }
    });
    window.addEventListener('focus', () => started && module.notify(0, FOCUS_IN));
    document.addEventListener('click', event => {
        const button = event.target.closest?.('button[data-control]');
        if (!button)
            return;
        if (button === pressedEarly)
            pressedEarly = null;
        else
            whenStarted(() => press(button));
    });
    document.addEventListener('input', event => {
        const control = controlOf(event.target);
        if (!exactOf.has(control))
            return;
        modified.add(control);
        exactOf.get(control).textContent = '';
        event.target.title = '';
        if (event.target === reported)
            clearMessage();
        notify(event.target, CHANGE);
    });
    // Copying a field that shows a rounded number, with its whole text
    // selected, takes the full value; a part of the text is copied as it is.
    document.addEventListener('copy', event => {
        const field = event.target;
        const exact = exactOf.get(controlOf(field))?.textContent;
        if (exact && field.selectionStart === 0 && field.selectionEnd === field.value.length) {
            event.clipboardData.setData('text/plain', exact);
            event.preventDefault();
        }
    });
    // Enter (a phone's Go) and Ctrl+Enter in any field of a calculator run
    // its Calculate, leaving the focus where it is. F1 shows the help of the
    // calculator holding the focus, the browser's own help never.
    document.addEventListener('keydown', event => {
        if (event.shiftKey || event.altKey || event.metaKey || event.isComposing)
            return;
        const from = event.target;
        if (event.key === 'Enter' && isField(from)) {
            event.preventDefault();
            whenStarted(() => controls.get(module.calculate_button(controlOf(from)))?.click());
        } else if (event.key === 'F1' && !event.ctrlKey) {
            event.preventDefault();
            whenStarted(() => module.help());
        }
    });
    // A click or tap into a field that shows the program's own 0 selects the
    // 0, whether or not the field had the focus, so what is typed replaces
    // it; a drag that selected something is left alone.
    let clickedIntoZero = null;
    document.addEventListener('pointerdown', event => {
        const field = event.target;
        clickedIntoZero = started && module.selects_on_click(controlOf(field)) ? field : null;
    });
    // In a field that has the focus already, the browser would place the
    // caret after the click and drop the 0's selection: it keeps it.
    document.addEventListener('mousedown', event => {
        if (event.target === clickedIntoZero && document.activeElement === event.target)
            event.preventDefault();
    });
    document.addEventListener('click', event => {
        const field = clickedIntoZero;
        clickedIntoZero = null;
        if (field === event.target && field.selectionStart === field.selectionEnd)
            field.select();
    });
    // A new width refits the numbers; a new height alone (a phone's keyboard
    // opening) does not. The width is first read once the module has
    // started: read here, it would lay the page out before the module, and
    // again after the fields are written.
    let width = 0;
    addEventListener('resize', () => {
        if (started && innerWidth !== width) {
            width = innerWidth;
            module.refit();
        }
    });

    // Without the module nothing works: the page says so in one sentence,
    // and its controls look and are inactive.
    const fail = sentence => {
        live(false);
        const notice = document.getElementById('notice');
        notice.textContent = sentence;
        notice.hidden = false;
    };
    if (typeof WebAssembly !== 'object') {
        fail('This calculator cannot work in this browser, which does not run WebAssembly.');
        return;
    }
    // With the module here the page works, from the opening form on.
    const begin = instance => {
        module = instance.exports;
        module._initialize?.();
        window.velquor = module;  // the exact numbers, for tests and the curious

        // The opening form replaces only what the user has not typed.
        const typed = [...modified].map(control => {
            const field = controls.get(control);
            return [field, control, field.value, field.selectionStart, field.selectionEnd];
        });
        module.start();
        for (const [field, control, value, start, end] of typed) {
            field.value = value;
            field.title = '';
            exactOf.get(control).textContent = '';
            modified.add(control);
            if (document.activeElement === field)
                field.setSelectionRange(start, end);
        }
        started = true;
        width = innerWidth;
        waiting?.();
        document.documentElement.dataset.ready = performance.now().toFixed(1);
        if ('serviceWorker' in navigator)
            navigator.serviceWorker.register('sw.js').catch(() => {});
    };

    // The module's bytes are in the page, after this script, so that on a
    // slow link the fields take typing while they arrive; the script after
    // them says they are here. The module is compiled and started at once,
    // in the parser's turn: nothing waits for a fetch, nor for the page's
    // first layout and paint. A link in the head holds the first frame back
    // until that script (or, on a slow link, for a moment only), so that the
    // page is first drawn working, laid out once rather than once without
    // the module and again with it. A page cut short before them says so.
    const cannotLoad = 'This calculator could not load its program; check the connection and reload the page.';
    let arrived = false;
    document.addEventListener('velquor-module', () => {
        arrived = true;
        let instance;
        try {
            const encoded = document.getElementById('module').textContent;
            const bytes = Uint8Array.fromBase64?.(encoded) ?? Uint8Array.from(atob(encoded), c => c.charCodeAt(0));
            instance = new WebAssembly.Instance(new WebAssembly.Module(bytes), { page });
        } catch {
            fail(cannotLoad);
            return;
        }
        begin(instance);
    });
    document.addEventListener('DOMContentLoaded', () => arrived || fail(cannotLoad));
})();
