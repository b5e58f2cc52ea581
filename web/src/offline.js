// The page as an installable app with an offline copy. Served over http(s), it names its manifest
// and hands its files to the service worker (sw.js), which keeps them for reloads and cold starts
// with no network. Opened as a file it needs neither, and the browser would refuse both there.
// A page left open for days still learns of a new version: the worker is checked for an update
// when the page loads and each time it comes back into view; a new version, once ready, is
// offered through offerUpdate(apply), and apply() lets it take over.
export function keepOffline(ready, offerUpdate) {
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
    ready.then(() => navigator.serviceWorker.register('sw.js')).then((registration) => {
        // A waiting worker over a page the worker controls is a new version; the first one
        // takes over by itself.
        const offer = (worker) => {
            if (worker && navigator.serviceWorker.controller) {
                offerUpdate(() => worker.postMessage('update'));
            }
        };
        offer(registration.waiting);
        registration.addEventListener('updatefound', () => {
            const worker = registration.installing;
            worker?.addEventListener('statechange', () => {
                if (worker.state === 'installed') {
                    offer(worker);
                }
            });
        });
        const look = () => registration.update().catch(() => {
            // No network: the copy in hand stays.
        });
        look();
        document.addEventListener('visibilitychange', () => {
            if (document.visibilityState === 'visible') {
                look();
            }
        });
    }).catch(() => {
        // Without the worker (private windows may refuse it) the page still works online.
    });
}
