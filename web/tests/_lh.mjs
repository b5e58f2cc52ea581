import lighthouse from 'lighthouse';
import { launchBrowser } from './browser.mjs';
import { startServer } from './server.mjs';
const server = await startServer(process.argv[2]);
const browser = await launchBrowser();
for (let n = 0; n < 4; ++n) {
  const page = await browser.newPage();
  const { lhr } = await lighthouse(server.url + 'index.html', { logLevel: 'error' }, undefined, page);
  console.log(Math.round(lhr.audits['total-blocking-time'].numericValue), lhr.environment.benchmarkIndex, JSON.stringify(lhr.audits['long-tasks'].details.items.map(i => [i.url.replace(/.*\//,''), Math.round(i.duration), Math.round(i.startTime)])), 'FCP', Math.round(lhr.audits['first-contentful-paint'].numericValue), 'TTI', Math.round(lhr.audits['interactive'].numericValue));
  await page.close();
}
await browser.close(); await server.close();
