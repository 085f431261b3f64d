// Times the page against the native converter on a generated 100 000-line file: the core's
// conversion in the page, the first show of its tables, and the converter's whole run.
// Usage: node bench.mjs <morvelander.html> <native morvelander-convert> <tournament generator>
import { execFileSync } from "node:child_process";
import { mkdtempSync, rmSync, statSync } from "node:fs";
import { tmpdir } from "node:os";
import { join } from "node:path";
import { pathToFileURL } from "node:url";
import { Launch } from "./test/Browsers.mjs";

const [pagePath, convertPath, generatePath] = process.argv.slice(2);
const Runs = 9;
const work = mkdtempSync(join(tmpdir(), "morvelander-bench-"));
const file = join(work, "Groot.csv");
execFileSync(generatePath, ["100000", file]);

const browser = await Launch("chromium", join(work, "profile"));
try {
  const page = await browser.newPage();
  await page.setViewport({ width: 1000, height: 700 });
  const opening = performance.now();
  await page.goto(pathToFileURL(pagePath).href);
  await page.waitForSelector("body[data-ready]");
  const ready = performance.now() - opening;
  await (await page.$("#FilePicker")).uploadFile(file);

  const native = [];
  const conversion = [];
  const shown = [];
  for (let i = 0; i < Runs; ++i) {
    const start = performance.now();
    execFileSync(convertPath, ["--print", "none", "--out", work, file]);
    native.push(performance.now() - start);
    await page.$eval("#InFileListBox li", (e) =>
      e.dispatchEvent(new MouseEvent("dblclick", { bubbles: true })),
    );
    await page.waitForFunction(() => !document.body.dataset.busy);
    const [show, convert] = await page.evaluate(() =>
      performance.getEntriesByType("measure").slice(-2).map((m) => m.duration),
    );
    shown.push(show);
    conversion.push(convert);
  }
  const median = (a) => [...a].sort((x, y) => x - y)[Math.floor(a.length / 2)];
  const ms = (a) => `${Math.round(median(a))} ms`;
  const size = statSync(pagePath).size;
  console.log(`page: ${size} bytes, ready ${Math.round(ready)} ms after opening`);
  console.log(
    `100 000 lines, medians of ${Runs}: native converter ${ms(native)}, page conversion ` +
      `${ms(conversion)} (${(median(conversion) / median(native)).toFixed(2)} times), ` +
      `tables shown ${ms(shown)} after the double-click`,
  );
} finally {
  await browser.close();
  rmSync(work, { recursive: true, force: true });
}
