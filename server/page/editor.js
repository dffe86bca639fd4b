'use strict';
// The editor page: the controls edit a design held as design-file values,
// the preview is the server's own image of it, and the page's address
// carries every value the user changed, so that it can be shared.

const kTypingDelayMs = 300; // as the desktop preview waits after a keystroke
// Keys of the URL that are no design keys; a flag is on when present.
const kOutputKeys = ['fit', 'state', 'scale'];
const kOutputDefaults = { state: 'normal', scale: '1' };

const values = {};          // design key (or output key) -> value in file form
const keyOrder = [];        // design keys in file order
const given = new Set();    // keys the address or the user set
let typingTimer = 0;

const form = document.getElementById('design');
const image = document.getElementById('image');
const status = document.getElementById('status');

function controls(key) {
    return form.querySelectorAll(`[data-key="${key}"]`);
}

// A design file's COLORREF (red in the low byte) as #rrggbb and back.
function colourText(value) {
    const v = Number(value) >>> 0;
    const hex = (n) => ((v >>> n) & 255).toString(16).padStart(2, '0');
    return '#' + hex(0) + hex(8) + hex(16);
}
function colourValue(text) {
    const n = parseInt(text.slice(1), 16);
    return String(((n & 255) << 16) | (n & 0xff00) | ((n >>> 16) & 255));
}

function showValue(key) {
    for (const control of controls(key)) {
        const value = values[key] ?? '';
        if (control.dataset.form === 'flag')
            control.checked = given.has(key);
        else if (control.type === 'checkbox')
            control.checked = value.trim() === '1';
        else if (control.dataset.form === 'colour')
            control.value = colourText(value);
        else if (control.dataset.part !== undefined)
            control.value = parseFloat(value.split(',')[Number(control.dataset.part)]) || 0;
        else if (control.type === 'number')
            control.value = parseFloat(value) || 0;
        else
            control.value = value;
    }
}

function readControl(control) {
    const key = control.dataset.key;
    if (control.dataset.form === 'flag')
        return '';
    if (control.type === 'checkbox')
        return control.checked ? '1' : '0';
    if (control.dataset.form === 'colour')
        return colourValue(control.value);
    if (control.dataset.part !== undefined) {
        const parts = (values[key] ?? '0,0').split(',');
        parts[Number(control.dataset.part)] = control.value || '0';
        return parts.join(',');
    }
    return control.value;
}

function query() {
    const params = new URLSearchParams();
    for (const key of [...keyOrder, ...kOutputKeys]) {
        if (given.has(key) && !(key in kOutputDefaults && values[key] === kOutputDefaults[key]))
            params.append(key, values[key]);
    }
    return params.toString();
}

function buttonUrl(extension) {
    const q = query();
    return 'v1/button.' + extension + (q ? '?' + q : '');
}

function absolute(url) {
    return new URL(url, location.href).href;
}

function update() {
    clearTimeout(typingTimer);
    const png = buttonUrl('png');
    if (image.getAttribute('src') !== png)
        image.src = png;
    history.replaceState(null, '', location.pathname + (query() ? '?' + query() : ''));
    document.getElementById('download-png').href = png;
    document.getElementById('download-svg').href = buttonUrl('svg');
    document.getElementById('download-nfd').href = buttonUrl('nfd');
}

function edited(event) {
    const control = event.target;
    const key = control.dataset.key;
    if (!key)
        return;
    values[key] = readControl(control);
    if (control.dataset.form === 'flag' && !control.checked)
        given.delete(key);
    else
        given.add(key);
    if (event.type === 'input' && (control.type === 'text' || control.type === 'number')) {
        clearTimeout(typingTimer);
        typingTimer = setTimeout(update, kTypingDelayMs);
    } else {
        update();
    }
}

function say(text, error) {
    status.textContent = text;
    status.classList.toggle('error', !!error);
}

async function copy(text) {
    try {
        await navigator.clipboard.writeText(text);
    } catch {
        // Pages served over plain HTTP from another machine have no
        // clipboard interface; a selected text field still copies.
        const field = document.createElement('textarea');
        field.value = text;
        document.body.append(field);
        field.select();
        document.execCommand('copy');
        field.remove();
    }
    say('복사했습니다: ' + text);
}

image.addEventListener('load', () => {
    // Shown at its 1x size, so that a 2x image is sharp rather than large.
    image.style.width = image.naturalWidth / (Number(values.scale) || 1) + 'px';
    say(`${image.naturalWidth} × ${image.naturalHeight}`);
});
image.addEventListener('error', async () => {
    const answer = await fetch(image.src).catch(() => null);
    say(answer ? (await answer.text()).trim() : '서버에 연결할 수 없습니다.', true);
});
form.addEventListener('input', edited);
form.addEventListener('change', edited);
document.getElementById('copy-url').addEventListener('click', () => copy(absolute(buttonUrl('png'))));
document.getElementById('copy-tag').addEventListener('click', () => {
    const caption = (values.String ?? '').replace(/&/g, '&amp;').replace(/"/g, '&quot;').replace(/</g, '&lt;');
    copy(`<img src="${absolute(buttonUrl('png'))}" alt="${caption}">`);
});

async function start() {
    const params = new URLSearchParams(location.search);
    let answer = await fetch('v1/button.nfd?' + params);
    if (!answer.ok) {
        say((await answer.text()).trim(), true);
        params.forEach((value, key) => params.delete(key));
        answer = await fetch('v1/button.nfd');
    }
    for (const line of (await answer.text()).split(/\r?\n/)) {
        const equals = line.indexOf('=');
        if (equals > 0) {
            keyOrder.push(line.slice(0, equals));
            values[line.slice(0, equals)] = line.slice(equals + 1);
        }
    }
    Object.assign(values, kOutputDefaults);
    for (const [name, value] of params) {
        const key = [...keyOrder, ...kOutputKeys].find((k) => k.toLowerCase() === name.toLowerCase());
        if (key && kOutputKeys.includes(key))
            values[key] = value;
        if (key)
            given.add(key);
    }
    for (const key of Object.keys(values))
        showValue(key);
    update();
    const svg = await fetch(buttonUrl('svg'), { method: 'HEAD' }).catch(() => null);
    document.getElementById('download-svg').hidden = !(svg && svg.ok);
}

start();
