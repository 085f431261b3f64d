// End-to-end runs of morvelander.html in headless Chromium, opened from the disk with the network
// cut off, against the native converter's outputs for the same files.
// Usage: node page.test.mjs <morvelander.html> <native morvelander-convert> <source folder>
//                           <tournament generator>
import assert from "node:assert/strict";
import { execFileSync, spawnSync } from "node:child_process";
import { copyFileSync, mkdtempSync, readFileSync, rmSync, writeFileSync } from "node:fs";
import { tmpdir } from "node:os";
import { basename, join } from "node:path";
import { after, before, test } from "node:test";
import { pathToFileURL } from "node:url";
import { unzipSync } from "fflate";
import { LaunchChromium } from "./Chromium.mjs";

const [pagePath, convertPath, sourceDir, generatePath] = process.argv.slice(2);
const examples = [
  "Herfsttoernooi 2009.csv",
  "Pupillen Open Zwolle.csv",
  "Scholierentoernooi Delft.csv",
  "Snelschaak Gouda.csv",
].map((name) => join(sourceDir, "examples", name));
const golden = join(sourceDir, "tests", "data", "Voorbeeld.csv");
const work = mkdtempSync(join(tmpdir(), "morvelander-page-"));

let browser;
let page;
let downloads;
const outside = [];

// What the native converter prints and writes for the files, under the C locale.
function Native(files, print, batch = false) {
  const folder = mkdtempSync(join(work, "native-"));
  const args = [...(batch ? ["--batch"] : []), "--print", print, "--out", folder, ...files];
  const run = spawnSync(convertPath, args, { env: { LC_ALL: "C" } });
  const report = (file) => readFileSync(join(folder, basename(file).replace(/\.[^.]*$/, ".txt")));
  const out = run.stdout.toString("latin1");
  return { status: run.status, out, err: run.stderr.toString(), report };
}

// The page's texts are Unicode; the native outputs are code page 1252, which matches Latin-1
// for every letter of the sample files.
const Latin1 = (text) => Buffer.from(text, "latin1").toString("latin1");

// Runs the action and returns the file the page downloads meanwhile.
async function Download(action) {
  const done = new Promise((resolve, reject) => {
    let name;
    const begin = (e) => (name = e.suggestedFilename);
    const progress = (e) => {
      if (e.state === "inProgress") return;
      downloads.off("Browser.downloadWillBegin", begin);
      downloads.off("Browser.downloadProgress", progress);
      if (e.state === "completed") resolve({ name, bytes: readFileSync(join(work, e.guid)) });
      else reject(new Error(`download ${name} ${e.state}`));
    };
    downloads.on("Browser.downloadWillBegin", begin);
    downloads.on("Browser.downloadProgress", progress);
  });
  await action();
  return done;
}

// Double-clicks the file in the input list and waits until the page has taken it in.
async function Choose(file) {
  await page.$$eval(
    "#InFileListBox li",
    (items, name) =>
      items
        .find((i) => i.textContent === name)
        .dispatchEvent(new MouseEvent("dblclick", { bubbles: true })),
    basename(file),
  );
  await page.waitForFunction(
    () => !document.body.dataset.busy || document.querySelector("#MessageBox[open]"),
  );
}

async function Tab(index) {
  await page.click(`#PageControl [data-page="${index}"]`);
}

// The texts of the rows a table shows, TAB between cells, CR LF after each row.
const Shown = (id) =>
  page.$eval(`#${id}`, (grid) =>
    [...grid.querySelectorAll(".row")]
      .map((row) => [...row.children].map((c) => c.textContent).join("\t") + "\r\n")
      .join(""),
  );

async function Copied() {
  await Tab(3);
  await page.click("#ClipBoardBitBtn");
  await page.waitForFunction(() => window.copied !== undefined);
  return page.evaluate(() => {
    const text = window.copied;
    window.copied = undefined;
    return text;
  });
}

before(async () => {
  browser = await LaunchChromium(join(work, "profile"));
  page = await browser.newPage();
  await page.setViewport({ width: 1000, height: 700 });
  await page.setOfflineMode(true);
  await page.setRequestInterception(true);
  page.on("request", (r) => {
    if (/^(file|data|blob):/.test(r.url())) return r.continue();
    outside.push(r.url());
    return r.abort();
  });
  downloads = await browser.target().createCDPSession();
  await downloads.send("Browser.setDownloadBehavior", {
    behavior: "allowAndName",
    downloadPath: work,
    eventsEnabled: true,
  });
  await page.goto(pathToFileURL(pagePath).href);
  await page.waitForSelector("body[data-ready]");
  // The clipboard of a headless browser is out of reach; the test reads what the page copies.
  await page.evaluate(() => {
    navigator.clipboard.writeText = async (text) => {
      window.copied = text;
    };
  });
  const picker = await page.$("#FilePicker");
  await picker.uploadFile(golden, ...[...examples].reverse());
});

after(async () => {
  await browser?.close();
  rmSync(work, { recursive: true, force: true });
});

test("lists the files in the window's order and converts each as the desktop does", async () => {
  const listed = await page.$$eval("#InFileListBox li", (items) => items.map((i) => i.textContent));
  assert.deepEqual(listed, [...examples, golden].map((f) => basename(f)));

  for (const file of [...examples, golden]) {
    await Choose(file);
    const native = Native([file], "table");
    assert.equal(native.status, 0, native.err);
    const status = await page.$$eval("#StatusBar span", (s) => s.map((e) => e.textContent));
    assert.equal(Latin1(status[1]) + "\n", Native([file], "status").out, file);
    assert.equal(Latin1(await Copied()), Native([file], "errors").out, file);
    await Tab(2);
    assert.equal(Latin1(await Shown("ToernooiGrid")), native.out, file);
    const report = await Download(() => page.click("#SaveDataBitBtn"));
    assert.equal(report.name, basename(file).replace(/\.csv$/, ".txt"));
    assert.deepEqual(report.bytes, native.report(file), file);
  }
  const expected = readFileSync(golden.replace(/\.csv$/, ".expected.txt"));
  assert.deepEqual(Native([golden], "none").report(golden), expected);

  // A game that refers to an unknown player is marked red in the input table.
  await Choose(examples[1]);
  await Tab(1);
  const red = await page.$$eval("#InputGrid .cell", (cells) =>
    cells.filter((c) => getComputedStyle(c).backgroundColor === "rgb(255, 0, 0)").length,
  );
  assert.ok(red > 0);
  assert.deepEqual(outside, []);
});

test("Alle converts every file into one zip and lists one summary row per file", async () => {
  await Tab(0);
  const zip = await Download(() => page.click("#DoAllBitBtn"));
  assert.equal(zip.name, "Fide2006.zip");
  const reports = unzipSync(new Uint8Array(zip.bytes));
  const files = [...examples, golden];
  const native = Native(files, "errors", true);
  const names = files.map((f) => basename(f, ".csv") + ".txt");
  assert.deepEqual(Object.keys(reports).sort(), names);
  for (const file of files)
    assert.deepEqual(Buffer.from(reports[basename(file, ".csv") + ".txt"]), native.report(file));
  assert.equal(Latin1(await Copied()), native.out);
  assert.equal(await page.$eval("#StatusPanel1", (e) => e.textContent), "");

  // "Alle naar map" writes through the browser's folder handle; the folder picker's dialog
  // cannot be answered headless, so the page gets a folder that keeps what is written.
  await page.evaluate(() => {
    window.written = {};
    window.showDirectoryPicker = async () => ({
      name: "Uit",
      getFileHandle: async (name) => ({
        createWritable: async () => {
          const parts = [];
          return {
            write: async (bytes) => parts.push(bytes),
            close: async () => {
              const bytes = new Uint8Array(await new Blob(parts).arrayBuffer());
              window.written[name] = [...bytes];
            },
            abort: async () => {},
          };
        },
      }),
    });
  });
  await Tab(0);
  await page.click("#DoAllFolderBtn");
  await page.waitForFunction(() => !document.body.dataset.busy);
  const written = await page.evaluate(() => window.written);
  assert.deepEqual(Object.keys(written).sort(), names);
  for (const file of files)
    assert.deepEqual(Buffer.from(written[basename(file, ".csv") + ".txt"]), native.report(file));

  // A file whose report would be too large and a second file of the same report name get no
  // report of their own, and the run goes on, as in the window.
  const twin = join(work, "Voorbeeld.CSV");
  copyFileSync(golden, twin);
  const ruim = join(work, "Ruim.csv");
  let rondes = "012;Ruim toernooi\r\n";
  for (let r = 1; r <= 4000; r++)
    rondes += `900;${r};14-11-2009;${2 * r - 1};${2 * r};1;Wit, Sp;Zwart, Sp;01-01-2000;01-01-2000\r\n`;
  writeFileSync(ruim, rondes);
  await (await page.$("#FilePicker")).uploadFile(twin, ruim);
  await Tab(0);
  const zipped = Download(() => page.click("#DoAllBitBtn"));
  for (const text of [
    "Ruim.csv\n\nHet rapport zou te groot worden (306 MiB; de grens is 256 MiB).",
    "Voorbeeld.csv\n\nHet rapport Voorbeeld.txt\n" +
      "is in deze opdracht al gemaakt voor Voorbeeld.CSV.\nGeen bestand gemaakt.",
  ]) {
    await page.waitForFunction(
      (want) => document.querySelector("#MessageBox[open] .text")?.textContent === want,
      {},
      text,
    );
    await page.$eval("#MessageBox[open] button", (b) => b.click());
  }
  assert.deepEqual(Object.keys(unzipSync(new Uint8Array((await zipped).bytes))).sort(), names);
});

test("bad input gets findings, nothing or a message, and the page goes on working", async () => {
  const empty = join(work, "Leeg.csv");
  const binary = join(work, "Plaatje.csv");
  const gone = join(work, "Weg.csv");
  writeFileSync(empty, "");
  writeFileSync(binary, Buffer.from([0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a, 0, 0, 0xff]));
  writeFileSync(gone, readFileSync(golden));
  await (await page.$("#FilePicker")).uploadFile(empty, binary, gone);
  rmSync(gone);

  for (const file of [empty, binary]) {
    await Choose(file);
    assert.equal(Latin1(await Copied()), Native([file], "errors").out, file);
  }

  await Choose(gone);
  const message = await page.waitForSelector("#MessageBox[open]");
  assert.equal(await message.$eval(".text", (e) => e.textContent), "Cannot open file Weg.csv.");
  await message.$eval("button", (b) => b.click());

  await Choose(golden);
  assert.equal(Latin1(await Copied()), Native([golden], "errors").out);
});

test("a large file shows only the rows in view and gives the desktop's report", async () => {
  const large = join(work, "Groot.csv");
  execFileSync(generatePath, ["100000", large]);
  await (await page.$("#FilePicker")).uploadFile(large);
  await Choose(large);
  await page.waitForSelector("#ErrorGrid .row");
  await Tab(1);
  await page.waitForSelector("#InputGrid .row");
  const drawn = await page.$$eval("#InputGrid .row", (rows) => rows.length);
  assert.ok(drawn < 100, `${drawn} rows built`);
  await page.$eval("#InputGrid", (g) => (g.scrollTop = g.scrollHeight));
  await page.waitForFunction(() =>
    [...document.querySelectorAll("#InputGrid .row")].some((r) =>
      r.firstChild.textContent.startsWith("100"),
    ),
  );
  await Tab(2);
  const report = await Download(() => page.click("#SaveDataBitBtn"));
  assert.ok(report.bytes.equals(Native([large], "none").report(large)));
});
