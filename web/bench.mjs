// Times the page against the native converter on a generated 100 000-line file, in Chromium and
// in Firefox, each run of the page beside a run of the converter: the core's conversion in the
// page, the first show of its tables, the converter's whole run, their ratio, the largest gap
// between the page's animation frames while the core converts (the page must go on answering)
// and the core's heap against the file. Then, in Chromium, the time to show a line of 200 000
// and one of 26 million fields on "Inlees grid". Last, in Chromium and Firefox, the largest gap
// between frames while "Alle" converts 10 files of 30 000 lines and makes their zip, over the
// whole run and from the last file's status on, when the zip is made.
// Usage: node bench.mjs <morvelander.html> <native morvelander-convert> <tournament generator>
import { execFileSync } from "node:child_process";
import { mkdtempSync, readdirSync, rmSync, statSync, writeFileSync } from "node:fs";
import { tmpdir } from "node:os";
import { dirname, join } from "node:path";
import { pathToFileURL } from "node:url";
import { Launch } from "./test/Browsers.mjs";

const [pagePath, convertPath, generatePath] = process.argv.slice(2);
const Runs = 9;
const work = mkdtempSync(join(tmpdir(), "morvelander-bench-"));
const file = join(work, "Groot.csv");
execFileSync(generatePath, ["100000", file]);

// A tournament of one game line of `count` fields.
function WideLine(count) {
  const path = join(work, `Breed${count}.csv`);
  const parts = ["012;Breed toernooi\r\n900;"];
  const million = "1;".repeat(1000000);
  for (let i = 0; i < Math.floor(count / 1000000); ++i) parts.push(million);
  parts.push("1;".repeat(count % 1000000), "\r\n");
  writeFileSync(path, parts.join(""));
  return path;
}

const median = (a) => [...a].sort((x, y) => x - y)[Math.floor(a.length / 2)];
const ms = (a) => `${Math.round(median(a))} ms`;

// Opens a fresh page, ready for files.
async function OpenPage(browser) {
  const page = await browser.newPage();
  await page.setViewport({ width: 1000, height: 700 });
  await page.goto(pathToFileURL(pagePath).href);
  await page.waitForSelector("body[data-ready]");
  return page;
}

// Double-clicks the first file of the list and waits for the command's end; returns the
// largest gap between animation frames while the core converted, up to its answer.
async function Open(page) {
  await page.evaluate(() => {
    window.frames = [performance.now()];
    const frame = (now) => {
      window.frames.push(now);
      if (document.body.dataset.busy) requestAnimationFrame(frame);
    };
    document
      .querySelector("#InFileListBox li")
      .dispatchEvent(new MouseEvent("dblclick", { bubbles: true }));
    requestAnimationFrame(frame);
  });
  await page.waitForFunction(() => !document.body.dataset.busy, { timeout: 0, polling: 50 });
  return page.evaluate(() => {
    const converted = performance.getEntriesByName("Morvelander: conversion").at(-1);
    const end = converted.startTime + converted.duration;
    const frames = window.frames.filter((t) => t <= end).concat(end);
    return Math.max(...frames.slice(1).map((t, i) => t - frames[i]));
  });
}

// The time from the double-click to the line shown on "Inlees grid".
async function ShowWide(browser, count) {
  const page = await OpenPage(browser);
  await (await page.$("#FilePicker")).uploadFile(WideLine(count));
  await page.waitForSelector("#InFileListBox li");
  const start = performance.now();
  await Open(page);
  await page.click('#PageControl [data-page="1"]');
  const drawn = () =>
    !document.querySelector(".grid[data-drawing]") && document.querySelector("#InputGrid .cell");
  await page.waitForFunction(drawn, { timeout: 0 });
  const shown = performance.now() - start;
  await page.close();
  return shown;
}

// "Alle" over the files, its zip kept from the browser's downloads; returns the largest gap
// between frames over the run and over its end, from the last file's status on.
async function AlleGaps(browser, files) {
  const page = await OpenPage(browser);
  await (await page.$("#FilePicker")).uploadFile(...files);
  await page.waitForFunction(
    (n) => document.querySelectorAll("#InFileListBox li").length === n,
    {},
    files.length,
  );
  await page.evaluate((n) => {
    HTMLAnchorElement.prototype.click = function kept() {
      window.downloaded = performance.now();
    };
    window.frames = [performance.now()];
    window.last = Infinity;
    const status = document.getElementById("StatusPanel1");
    new MutationObserver(() => {
      if (status.textContent === `${n} van ${n} bestanden`)
        window.last = Math.min(window.last, performance.now());
    }).observe(status, { childList: true, characterData: true, subtree: true });
    const frame = (now) => {
      window.frames.push(now);
      if (document.body.dataset.busy) requestAnimationFrame(frame);
    };
    document.getElementById("DoAllBitBtn").click();
    requestAnimationFrame(frame);
  }, files.length);
  await page.waitForFunction(() => !document.body.dataset.busy, { timeout: 0, polling: 50 });
  const gaps = await page.evaluate(() => {
    const frames = window.frames.concat(performance.now());
    const gap = (from) =>
      Math.max(...frames.slice(1).map((t, i) => (frames[i] >= from ? t - frames[i] : 0)));
    // The gap that holds the last status counts to the end.
    const end = frames.findLastIndex((t) => t <= window.last);
    return [gap(0), gap(frames[Math.max(end, 0)]), window.downloaded !== undefined];
  });
  await page.close();
  return gaps;
}

// The 100 000-line file in the engine, beside the native converter.
async function Conversion(engine) {
  const browser = await Launch(engine, join(work, `profile-convert-${engine}`));
  try {
    const opening = performance.now();
    const page = await OpenPage(browser);
    const ready = performance.now() - opening;
    await (await page.$("#FilePicker")).uploadFile(file);
    await page.waitForSelector("#InFileListBox li");
    const native = [];
    const conversion = [];
    const shown = [];
    const gaps = [];
    let heap = 0;
    for (let i = 0; i < Runs; ++i) {
      const start = performance.now();
      execFileSync(convertPath, ["--print", "none", "--out", work, file]);
      native.push(performance.now() - start);
      gaps.push(await Open(page));
      const [convert, show] = await page.evaluate(() =>
        performance.getEntriesByType("measure").slice(-2).map((m) => m.duration),
      );
      shown.push(show);
      conversion.push(convert);
      // The core's memory never shrinks: after the first open it is the peak of one file.
      if (i === 0) heap = Number(await page.evaluate(() => document.body.dataset.heap));
    }
    const fileSize = statSync(file).size;
    console.log(`${engine}: ready ${Math.round(ready)} ms after opening`);
    console.log(
      `${engine}, 100 000 lines, medians of ${Runs}: native converter ${ms(native)}, page ` +
        `conversion ${ms(conversion)} (${(median(conversion) / median(native)).toFixed(2)} ` +
        `times), tables shown ${ms(shown)} after the double-click`,
    );
    console.log(
      `${engine}, while converting, the largest gap between frames: median ${ms(gaps)}, worst ` +
        `${Math.round(Math.max(...gaps))} ms; core heap ${heap} bytes, ` +
        `${(heap / fileSize).toFixed(2)} times the file of ${fileSize} bytes`,
    );
  } finally {
    await browser.close();
  }
}

// BENCH_CONVERSION_ONLY=1 times only the conversion of the 100 000-line file.
const everything = !process.env.BENCH_CONVERSION_ONLY;
const size = statSync(pagePath).size;
const site = join(dirname(pagePath), "site");
const siteSize = readdirSync(site).reduce((sum, f) => sum + statSync(join(site, f)).size, 0);
console.log(`page: ${size} bytes (site folder ${siteSize} bytes)`);
for (const engine of ["chromium", "firefox"]) await Conversion(engine);

if (everything) {
  const browser = await Launch("chromium", join(work, "profile"));
  try {
    const wide = [];
    for (let i = 0; i < 5; ++i) wide.push(await ShowWide(browser, 200000));
    console.log(`a line of 200 000 fields shown on "Inlees grid": median of 5 ${ms(wide)}`);
    const huge = await ShowWide(browser, 26000000);
    console.log(`a line of 26 million fields shown on "Inlees grid": ${Math.round(huge)} ms`);
  } finally {
    await browser.close();
  }
}

try {
  const alle = Array.from({ length: 10 }, (_, i) => join(work, `Alle${i + 1}.csv`));
  if (everything) for (const path of alle) execFileSync(generatePath, ["30000", path]);
  for (const engine of everything ? ["chromium", "firefox"] : []) {
    const engineBrowser = await Launch(engine, join(work, `profile-${engine}`));
    try {
      const runs = [];
      for (let i = 0; i < 3; ++i) runs.push(await AlleGaps(engineBrowser, alle));
      if (!runs.every(([, , zipped]) => zipped)) throw new Error(`${engine}: no zip downloaded`);
      console.log(
        `${engine}, "Alle" over 10 files of 30 000 lines, medians of 3: the largest gap ` +
          `between frames ${ms(runs.map((r) => r[0]))} over the run, ` +
          `${ms(runs.map((r) => r[1]))} at its end (the zip)`,
      );
    } finally {
      await engineBrowser.close();
    }
  }
} finally {
  rmSync(work, { recursive: true, force: true });
}
