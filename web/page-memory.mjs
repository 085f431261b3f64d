// The page's memory after opening one file: the core's WebAssembly memory, which only grows, so
// its size once the file is shown is the most the conversion took, and the worker's largest JS
// buffers (the file's bytes as read, what it keeps of the tables' shapes), which the page
// records beside it (a core that ran out of memory records none). Prints their sum in KiB, and
// the two parts and any message the page showed on the error output.
// Usage: node page-memory.mjs <morvelander.html> <file>
import { mkdtempSync, rmSync } from "node:fs";
import { tmpdir } from "node:os";
import { join } from "node:path";
import { pathToFileURL } from "node:url";
import { Launch } from "./test/Browsers.mjs";

const [pagePath, file] = process.argv.slice(2);
const work = mkdtempSync(join(tmpdir(), "morvelander-memory-"));
const browser = await Launch("chromium", join(work, "profile"));
try {
  const page = await browser.newPage();
  await page.goto(pathToFileURL(pagePath).href);
  await page.waitForSelector("body[data-ready]");
  await (await page.$("#FilePicker")).uploadFile(file);
  await page.waitForSelector("#InFileListBox li");
  await page.$eval("#InFileListBox li", (e) =>
    e.dispatchEvent(new MouseEvent("dblclick", { bubbles: true })),
  );
  // A message box (a refusal, or the core's failure) is answered at once.
  const messages = [];
  for (;;) {
    const state = await page.evaluate(() => {
      const box = document.getElementById("MessageBox");
      const text = box.open ? box.querySelector(".text").textContent : null;
      if (box.open) box.close();
      return { text, busy: Boolean(document.body.dataset.busy) };
    });
    if (state.text !== null) messages.push(state.text);
    if (!state.busy) break;
    await new Promise((resolve) => setTimeout(resolve, 500));
  }
  const [heap, buffers] = await page.evaluate(() =>
    [document.body.dataset.heap, document.body.dataset.buffers].map((n) => Number(n ?? 0)),
  );
  for (const message of messages) console.error(message);
  const kib = (bytes) => Math.round(bytes / 1024);
  console.error(`core ${kib(heap)} KiB, buffers ${kib(buffers)} KiB`);
  console.log(kib(heap + buffers));
} finally {
  await browser.close();
  rmSync(work, { recursive: true, force: true });
}
