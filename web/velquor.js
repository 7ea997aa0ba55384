// The page's side of the calculator: it hands each event to the WebAssembly
// module and does what the module asks of the page's controls. Every rule,
// number and text comes from the module or from the page itself.
'use strict';

(async () => {
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

    let module;
    const encoder = new TextEncoder();
    const decoder = new TextDecoder();
    const text = (at, length) => decoder.decode(new Uint8Array(module.memory.buffer, at, length));

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
            const element = controls.get(control);
            const style = getComputedStyle(element);
            // From its parts: with the system's colours forced, the font
            // shorthand reads as empty and the canvas would keep its own.
            measure.font = `${style.fontStyle} ${style.fontWeight} ${style.fontSize} ${style.fontFamily}`;
            const room = element.clientWidth - parseFloat(style.paddingLeft) - parseFloat(style.paddingRight);
            // Narrower than the room, so that the caret after the text stays inside.
            return measure.measureText(text(at, length)).width < room;
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
        write_text(control, at, length) { controls.get(control).textContent = text(at, length); },
        report_bad_field(control, at, length) {
            clearMessage();
            const field = controls.get(control);
            field.parentElement.after(message);
            message.textContent = text(at, length);
            message.hidden = false;
            field.setAttribute('aria-invalid', 'true');
            field.setAttribute('aria-describedby', `${message.id} ${exactOf.get(control).id}`);
            reported = field;
        },
        is_focused: control => document.activeElement === controls.get(control),
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
        has_focus: () => document.hasFocus(),
        announce(at, length) { status.textContent = text(at, length); },
    };

    const bytes = await (await fetch('velquor.wasm')).arrayBuffer();
    const { instance } = await WebAssembly.instantiate(bytes, { page });
    module = instance.exports;
    module._initialize?.();
    window.velquor = module;  // the exact numbers, for tests and the curious

    const notify = (element, event) => module.notify(controlOf(element), event);
    const isField = element => element.matches?.('input, select') && controls.has(controlOf(element));
    document.addEventListener('focusin', event => isField(event.target) && notify(event.target, FOCUS_IN));
    document.addEventListener('focusout', event => isField(event.target) && notify(event.target, FOCUS_OUT));
    window.addEventListener('focus', () => module.notify(0, FOCUS_IN));
    document.addEventListener('click', event => {
        const button = event.target.closest?.('button[data-control]');
        if (button)
            notify(button, CLICK);
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
    // Ctrl+Enter in any field of a calculator runs its Calculate, leaving the
    // focus where it is.
    document.addEventListener('keydown', event => {
        if (event.key !== 'Enter' || !event.ctrlKey || event.shiftKey || event.altKey || event.metaKey)
            return;
        const calculate = controls.get(module.calculate_button(controlOf(event.target)));
        if (calculate) {
            event.preventDefault();
            calculate.click();
        }
    });
    // A click or tap into a field that shows the program's own 0 selects the
    // 0, whether or not the field had the focus, so what is typed replaces
    // it; a drag that selected something is left alone.
    let clickedIntoZero = null;
    document.addEventListener('pointerdown', event => {
        const field = event.target;
        clickedIntoZero = module.selects_on_click(controlOf(field)) ? field : null;
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
    // opening) does not.
    let width = innerWidth;
    addEventListener('resize', () => {
        if (innerWidth !== width) {
            width = innerWidth;
            module.refit();
        }
    });

    module.start();
    document.documentElement.dataset.ready = performance.now().toFixed(1);
    if ('serviceWorker' in navigator)
        navigator.serviceWorker.register('sw.js').catch(() => {});
})();
