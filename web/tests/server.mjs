// A static web server for the tests, on 127.0.0.1 only: the site's files with their types,
// gzip when the browser accepts it (as any real server does), and a switch that takes it down.
import { existsSync, readFileSync, statSync } from 'node:fs';
import { createServer } from 'node:http';
import { extname, join, normalize } from 'node:path';
import { gzipSync } from 'node:zlib';

const types = {
    '.html': 'text/html; charset=utf-8', '.htm': 'text/html; charset=utf-8', '.js': 'text/javascript',
    '.css': 'text/css', '.svg': 'image/svg+xml', '.png': 'image/png', '.ico': 'image/x-icon',
    '.webmanifest': 'application/manifest+json', '.txt': 'text/plain; charset=utf-8',
};
const compressible = new Set(['.html', '.htm', '.js', '.css', '.svg', '.webmanifest', '.txt']);

// Serves the folder dir() (a function, so a test can swap the site); down() answers nothing more
// (the connection is reset) until up().
export async function startServer(dir) {
    const folder = typeof dir === 'function' ? dir : () => dir;
    let running = true;
    const requests = [];
    const server = createServer((request, response) => {
        if (!running) {
            request.socket.destroy();
            return;
        }
        const path = decodeURIComponent(new URL(request.url, 'http://127.0.0.1').pathname);
        requests.push(path);
        const name = normalize(path.replace(/^\/+/, '') || 'index.html');
        const file = join(folder(), name);
        if (name.startsWith('..') || !existsSync(file) || !statSync(file).isFile()) {
            response.writeHead(404).end();
            return;
        }
        const ext = extname(file);
        let body = readFileSync(file);
        const headers = { 'Content-Type': types[ext] ?? 'application/octet-stream', 'Cache-Control': 'no-cache' };
        if (compressible.has(ext) && /\bgzip\b/.test(request.headers['accept-encoding'] ?? '')) {
            body = gzipSync(body, { level: 9 });
            headers['Content-Encoding'] = 'gzip';
        }
        response.writeHead(200, headers).end(body);
    });
    await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
    return {
        url: `http://127.0.0.1:${server.address().port}/`,
        requests,
        down() { running = false; server.closeAllConnections(); },
        up() { running = true; },
        close: () => new Promise((resolve) => { server.closeAllConnections(); server.close(resolve); }),
    };
}
