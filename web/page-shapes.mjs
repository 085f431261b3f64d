// The page on files of hostile shapes, in Chromium and Firefox: the largest gap between
// animation frames from the double-click until the file's tables are shown and every tab has
// drawn, and the memory the file took (the core's WebAssembly memory, which only grows, and the
// worker's largest buffers), against the bound of 8 times the file plus 64 MiB. Prints one row
// per shape and engine; exits 1 when a gap is over 100 ms or a bound is missed.
// Usage: node page-shapes.mjs <morvelander.html> <tournament generator> [MiB]
// SHAPES narrows the shapes: the generator's, and "quoted", one quoted field of separators.
import { execFileSync } from "node:child_process";
import { mkdtempSync, rmSync, statSync, writeFileSync } from "node:fs";
import { tmpdir } from "node:os";
import { join } from "node:path";
import { pathToFileURL } from "node:url";
import { Launch } from "./test/Browsers.mjs";

const [pagePath, generatePath, mib = "32"] = process.argv.slice(2);
const shapes = (process.env.SHAPES ?? "findings wide separators name quoted").split(" ");
const work = mkdtempSync(join(tmpdir(), "morvelander-shapes-"));
const MaxGap = 100;

function Generate(shape) {
  const path = join(work, `${shape}.csv`);
  if (shape === "quoted")
    writeFileSync(path, `012;"${";".repeat(Number(mib) * 1048576)}"\r\n900;1\r\n`);
  else execFileSync(generatePath, ["--shape", shape, mib, path]);
  return path;
}

// Opens the file, then each table's tab; returns the largest frame gap and the memory.
async function Measure(browser, file) {
  const page = await browser.newPage();
  await page.setViewport({ width: 1000, height: 700 });
  await page.goto(pathToFileURL(pagePath).href);
  await page.waitForSelector("body[data-ready]");
  await (await page.$("#FilePicker")).uploadFile(file);
  await page.waitForSelector("#InFileListBox li");
  await page.evaluate(() => {
    window.frames = [performance.now()];
    window.measuring = true;
    const frame = (now) => {
      window.frames.push(now);
      if (window.measuring) requestAnimationFrame(frame);
    };
    requestAnimationFrame(frame);
    document
      .querySelector("#InFileListBox li")
      .dispatchEvent(new MouseEvent("dblclick", { bubbles: true }));
  });
  const messages = [];
  for (;;) {
    const state = await page.evaluate(() => {
      const box = document.getElementById("MessageBox");
      const text = box.open ? box.querySelector(".text").textContent : null;
      if (box.open) box.close();
      return { text, busy: Boolean(document.body.dataset.busy) };
    });
    if (state.text !== null) messages.push(state.text.slice(0, 200));
    if (!state.busy) break;
    await new Promise((resolve) => setTimeout(resolve, 200));
  }
  for (const tab of [1, 2, 3]) {
    await page.click(`#PageControl [data-page="${tab}"]`);
    await page.waitForFunction(() => !document.querySelector(".grid[data-drawing]"), {
      timeout: 0,
    });
  }
  await new Promise((resolve) => setTimeout(resolve, 300));
  const result = await page.evaluate(() => {
    window.measuring = false;
    const frames = window.frames.concat(performance.now());
    const gap = Math.max(...frames.slice(1).map((t, i) => t - frames[i]));
    const memory = Number(document.body.dataset.heap ?? 0) + Number(document.body.dataset.buffers ?? 0);
    return { gap, memory };
  });
  await page.close();
  return { ...result, messages };
}

let failed = false;
console.log("shape      engine     file MiB  peak MiB  bound MiB  largest frame gap");
try {
  for (const shape of shapes) {
    const file = Generate(shape);
    const size = statSync(file).size / 1048576;
    for (const engine of ["chromium", "firefox"]) {
      const browser = await Launch(engine, join(work, `profile-${engine}`));
      try {
        const { gap, memory, messages } = await Measure(browser, file);
        const peak = memory / 1048576;
        const bound = 8 * size + 64;
        const ok = gap <= MaxGap && peak > 0 && peak <= bound;
        failed ||= !ok;
        console.log(
          `${shape.padEnd(10)} ${engine.padEnd(9)} ${size.toFixed(1).padStart(9)} ` +
            `${peak.toFixed(1).padStart(9)} ${bound.toFixed(1).padStart(10)} ` +
            `${Math.round(gap).toString().padStart(8)} ms  ${ok ? "met" : "MISSED"}`,
        );
        for (const message of messages) console.error(`  ${message.replace(/\s+/g, " ")}`);
      } finally {
        await browser.close();
      }
    }
    rmSync(file);
  }
} finally {
  rmSync(work, { recursive: true, force: true });
}
process.exit(failed ? 1 : 0);
