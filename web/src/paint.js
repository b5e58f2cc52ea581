// The diagram's drawing operations painted on a 400 x 400 canvas the way the desktop's painter
// draws them: lines without smoothing, pixel by pixel, and text on a white box. A text that
// would reach past an edge is moved back inside by its overflow.

export const canvasSize = 400;

function css([r, g, b]) {
    return `rgb(${r},${g},${b})`;
}

// The faces the desktop tries, in order, for the faces the drawing names.
function fontFamily(face) {
    if (face === 'Time New Roman' || face === 'Times New Roman') {
        return `"${face}", "Times New Roman", "Liberation Serif", "DejaVu Serif", serif`;
    }
    if (face === 'default') {
        return '"MS Sans Serif", "Liberation Sans", "DejaVu Sans", sans-serif';
    }
    return `"${face}", sans-serif`;
}

// A one-pixel line from (x1, y1) to (x2, y2), both ends included; a dotted pen draws one pixel
// and skips two along the line.
function line(ctx, op) {
    ctx.fillStyle = css(op.color);
    let { x1: x, y1: y } = op;
    const dx = Math.abs(op.x2 - x);
    const dy = -Math.abs(op.y2 - y);
    const sx = x < op.x2 ? 1 : -1;
    const sy = y < op.y2 ? 1 : -1;
    let error = dx + dy;
    for (let step = 0; ; ++step) {
        if (op.style !== 'dot' || step % 3 === 0) {
            ctx.fillRect(x, y, op.width, op.width);
        }
        if (x === op.x2 && y === op.y2) {
            break;
        }
        const e2 = 2 * error;
        if (e2 >= dy) {
            error += dy;
            x += sx;
        }
        if (e2 <= dx) {
            error += dx;
            y += sy;
        }
    }
}

function text(ctx, op, rects) {
    ctx.font = `${op.size}pt ${fontFamily(op.font)}`;
    const metrics = ctx.measureText(op.text);
    const ascent = Math.ceil(metrics.fontBoundingBoxAscent);
    const width = Math.ceil(metrics.width);
    const height = ascent + Math.ceil(metrics.fontBoundingBoxDescent);
    const x = Math.max(0, Math.min(op.x, canvasSize - width));
    const y = Math.max(0, Math.min(op.y, canvasSize - height));
    ctx.fillStyle = '#fff';
    ctx.fillRect(x, y, width, height);
    ctx.fillStyle = css(op.color);
    ctx.textBaseline = 'alphabetic';
    ctx.fillText(op.text, x, y + ascent);
    rects.push({ x, y, width, height, text: op.text });
}

// Paints the operations; returns the boxes of the texts as drawn.
export function paintOps(ctx, ops) {
    const rects = [];
    for (const op of ops) {
        if (op.op === 'fill') {
            ctx.fillStyle = css(op.color);
            ctx.fillRect(op.x1, op.y1, op.x2 - op.x1, op.y2 - op.y1);
        } else if (op.op === 'line') {
            line(ctx, op);
        } else if (op.op === 'text') {
            text(ctx, op, rects);
        }
    }
    return rects;
}
