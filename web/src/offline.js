// The page as an installable app with an offline copy. Served over http(s), it names its manifest
// and hands its files to the service worker (sw.js), which keeps them for reloads and cold starts
// with no network. Opened as a file it needs neither, and the browser would refuse both there.
export function keepOffline(ready) {
    if (!location.protocol.startsWith('http')) {
        return;
    }
    const manifest = document.createElement('link');
    manifest.rel = 'manifest';
    manifest.href = 'manifest.webmanifest';
    document.head.append(manifest);
    if (!('serviceWorker' in navigator)) {
        return;
    }
    // The worker copies the whole site: only once the page is working, not while its core loads.
    ready.then(() => navigator.serviceWorker.register('sw.js')).catch(() => {
        // Without the worker (private windows may refuse it) the page still works online.
    });
}
