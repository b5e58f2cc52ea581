// The diagram as an SVG 1.1 document, written as the desktop's SVG writer writes it: the drawing
// operations as vector lines, each text on its white box where the canvas put it.
import { canvasSize, fontFamily } from './paint.js';

function colour([r, g, b]) {
    return '#' + [r, g, b].map((c) => c.toString(16).padStart(2, '0')).join('');
}

function escaped(text) {
    return text.replace(/&/g, '&amp;').replace(/</g, '&lt;').replace(/>/g, '&gt;').replace(/"/g, '&quot;');
}

// A rasteriser without smoothing takes the pixels whose centres the stroke covers; the canvas
// (like the desktop's painter) steps along the longer axis and takes the pixel under the line
// through the pixel corners, sampled mid-step for a line leaning forwards, at the step's start
// for one leaning back. The SVG line is shifted so the two agree; axis lines run through centres.
function ends(op) {
    if (op.width > 1) {
        const s = op.width % 2 === 1 ? 0.5 : 0;
        return [op.x1 + s, op.y1 + s, op.x2 + s, op.y2 + s];
    }
    const dx = op.x2 - op.x1;
    const dy = op.y2 - op.y1;
    const steep = Math.abs(dy) > Math.abs(dx);
    const major = steep ? dy : dx;
    const minor = steep ? dx : dy;
    let majorShift = 0;
    let minorShift = 0;
    if (minor === 0 || major === 0) {
        majorShift = minorShift = 0.5;
    } else if ((minor > 0) !== (major > 0)) {
        majorShift = 0.5;
    }
    const sx = steep ? minorShift : majorShift;
    const sy = steep ? majorShift : minorShift;
    return [op.x1 + sx, op.y1 + sy, op.x2 + sx, op.y2 + sy];
}

// `rects` are the text boxes paintOps returned for the same operations, in order.
export function diagramSvg(ops, rects) {
    const lines = ['<?xml version="1.0" encoding="UTF-8"?>',
        `<svg xmlns="http://www.w3.org/2000/svg" version="1.1" width="${canvasSize}" height="${canvasSize}" ` +
        `viewBox="0 0 ${canvasSize} ${canvasSize}" shape-rendering="crispEdges">`];
    let text = 0;
    for (const op of ops) {
        if (op.op === 'fill') {
            lines.push(`<rect x="${op.x1}" y="${op.y1}" width="${op.x2 - op.x1}" height="${op.y2 - op.y1}" ` +
                `fill="${colour(op.color)}"/>`);
        } else if (op.op === 'line') {
            const [x1, y1, x2, y2] = ends(op);
            const w = Math.max(1, op.width);
            const pen = op.style === 'dot' ? `stroke-dasharray="${w},${2 * w}" stroke-linecap="butt"`
                : 'stroke-linecap="square"';
            lines.push(`<line x1="${x1}" y1="${y1}" x2="${x2}" y2="${y2}" stroke="${colour(op.color)}" ` +
                `stroke-width="${w}" ${pen}/>`);
        } else if (op.op === 'text') {
            const box = rects[text++];
            lines.push(`<rect x="${box.x}" y="${box.y}" width="${box.width}" height="${box.height}" fill="#ffffff"/>`);
            const family = fontFamily(op.font).replace(/"/g, "'");
            const size = Math.round(op.size * 96 / 72 * 1000) / 1000;
            lines.push(`<text x="${box.x}" y="${box.y + box.ascent}" font-family="${family}" font-size="${size}" ` +
                `fill="${colour(op.color)}" xml:space="preserve">${escaped(op.text)}</text>`);
        }
    }
    lines.push('</svg>', '');
    return lines.join('\n');
}
