import lighthouse from 'lighthouse';
import { launchBrowser } from './browser.mjs';
import { startServer } from './server.mjs';
const browser = await launchBrowser();
for (let n = 0; n < 3; ++n) {
 for (const dir of process.argv.slice(2)) {
  const server = await startServer(dir);
  const page = await browser.newPage();
  const { lhr } = await lighthouse(server.url + 'index.html', { logLevel: 'error' }, undefined, page);
  const bd = Object.fromEntries(lhr.audits['mainthread-work-breakdown'].details.items.map(i => [i.group, Math.round(i.duration)]));
  console.log(dir.slice(-6), Math.round(lhr.audits['total-blocking-time'].numericValue), lhr.environment.benchmarkIndex, JSON.stringify(lhr.audits['long-tasks'].details.items.map(i => [i.url.replace(/.*\//,''), Math.round(i.duration), Math.round(i.startTime)])), JSON.stringify(bd));
  await page.close(); await server.close();
 }
}
await browser.close();
