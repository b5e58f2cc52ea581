// The diagram's drawing operations painted on a 400 x 400 canvas the way the desktop's painter
// draws them: lines without smoothing, pixel by pixel, and text on a white box. A text that
// would reach past an edge is moved back inside by its overflow.

export const canvasSize = 400;

function css([r, g, b]) {
    return `rgb(${r},${g},${b})`;
}

// The faces the desktop tries, in order, for the faces the drawing names.
export function fontFamily(face) {
    if (face === 'Time New Roman' || face === 'Times New Roman') {
        return `"${face}", "Times New Roman", "Liberation Serif", "DejaVu Serif", serif`;
    }
    if (face === 'default') {
        return '"MS Sans Serif", "Liberation Sans", "DejaVu Sans", sans-serif';
    }
    return `"${face}", sans-serif`;
}

// A thin line as the desktop's painter sets its pixels: fixed-point steps along the longer axis
// from pixel corner coordinates, the ends extended by half a pixel (square caps), each step's
// pixel taken by truncation. A dotted pen sets one pixel and skips two.
function fixedDiv(a, b) {
    return Math.trunc((a * 65536) / b);
}

function line(ctx, op) {
    ctx.fillStyle = css(op.color);
    let [x1, y1, x2, y2] = [op.x1 * 64, op.y1 * 64, op.x2 * 64, op.y2 * 64];
    const steep = Math.abs(x2 - x1) < Math.abs(y2 - y1);
    if (!steep) {
        [x1, y1, x2, y2] = [y1, x1, y2, x2];
    }
    // Now the major axis is "y": walk it upwards.
    if (y1 > y2) {
        [x1, y1, x2, y2] = [x2, y2, x1, y1];
    }
    if (y1 === y2) {
        return;
    }
    const inc = fixedDiv(x2 - x1, y2 - y1);
    let minor = x1 * 1024 - (inc >> 1);
    y1 -= 32;
    y2 += 32;
    let major = (y1 + 32) >> 6;
    const last = (y2 + 32) >> 6;
    const round = inc > 0 ? 32 : 0;
    minor += Math.floor((((major << 6) + round - y1) * inc) / 64);
    for (let step = 0; major < last; ++major, ++step, minor += inc) {
        if (op.style === 'dot' && step % 3 !== 0) {
            continue;
        }
        const m = Math.floor(minor / 65536);
        const [px, py] = steep ? [m, major] : [major, m];
        if (px >= 0 && py >= 0 && px < canvasSize && py < canvasSize) {
            ctx.fillRect(px, py, op.width, op.width);
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
    rects.push({ x, y, width, height, ascent, text: op.text });
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

// The same picture drawn sharp on a canvas `scale` times larger (the screen's device pixels):
// lines as strokes through the pixel centres, texts in their boxes as painted at picture size
// (rects from paintOps), in a font `scale` times larger.
export function paintSharp(ctx, ops, rects, scale) {
    ctx.setTransform(1, 0, 0, 1, 0, 0);
    ctx.fillStyle = '#fff';
    ctx.fillRect(0, 0, ctx.canvas.width, ctx.canvas.height);
    ctx.setTransform(scale, 0, 0, scale, 0, 0);
    let text = 0;
    for (const op of ops) {
        if (op.op === 'fill') {
            ctx.fillStyle = css(op.color);
            ctx.fillRect(op.x1, op.y1, op.x2 - op.x1, op.y2 - op.y1);
        } else if (op.op === 'line') {
            ctx.strokeStyle = css(op.color);
            ctx.lineWidth = op.width;
            ctx.lineCap = 'square';
            ctx.setLineDash(op.style === 'dot' ? [1, 2] : []);
            ctx.beginPath();
            ctx.moveTo(op.x1 + 0.5, op.y1 + 0.5);
            ctx.lineTo(op.x2 + 0.5, op.y2 + 0.5);
            ctx.stroke();
        } else if (op.op === 'text') {
            const box = rects[text++];
            ctx.font = `${op.size}pt ${fontFamily(op.font)}`;
            const ascent = Math.ceil(ctx.measureText(op.text).fontBoundingBoxAscent);
            ctx.fillStyle = '#fff';
            ctx.fillRect(box.x, box.y, box.width, box.height);
            ctx.fillStyle = css(op.color);
            ctx.textBaseline = 'alphabetic';
            ctx.fillText(op.text, box.x, box.y + ascent);
        }
    }
    ctx.setLineDash([]);
    ctx.setTransform(1, 0, 0, 1, 0, 0);
}
