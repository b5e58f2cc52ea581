// The offline copy of the site. The build writes in the site's version (a hash of its files) and
// the list of its files: a new version is a new worker, which fills a new cache and then waits
// until the page asks it to take over (the student chose "обновить"), so nothing changes under
// an open page; taking over, it drops the caches of older versions. The first worker takes over
// at once. Requests are answered from the cache first, so reloads and cold starts work with no
// network.
const version = '@VERSION@';
const files = '@FILES@';
const cacheName = 'vornik-' + version;

self.addEventListener('install', (event) => {
    // Past the browser's HTTP cache, so a new version never caches a stale file of an old one.
    event.waitUntil(caches.open(cacheName)
        .then((cache) => cache.addAll(files.map((file) => new Request(file, { cache: 'reload' }))))
        .then(() => (self.registration.active ? undefined : self.skipWaiting())));
});

self.addEventListener('message', (event) => {
    if (event.data === 'update') {
        self.skipWaiting();
    }
});

self.addEventListener('activate', (event) => {
    event.waitUntil(caches.keys()
        .then((names) => Promise.all(names.filter((name) => name.startsWith('vornik-') && name !== cacheName)
            .map((name) => caches.delete(name))))
        .then(() => self.clients.claim()));
});

self.addEventListener('fetch', (event) => {
    const request = event.request;
    if (request.method !== 'GET' || new URL(request.url).origin !== self.location.origin) {
        return;
    }
    event.respondWith((async () => {
        const cache = await caches.open(cacheName);
        // A task link carries its data after "?" or "#": the page is the same file.
        const hit = await cache.match(request, { ignoreSearch: true }) ??
            (request.mode === 'navigate' ? await cache.match('./') : undefined);
        return hit ?? fetch(request);
    })());
});
