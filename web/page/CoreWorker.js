// The page's worker: it holds the core, so that a long conversion never stops the page from
// drawing and answering, and it makes the output of "Alle" (the zip, or the reports written
// into a folder), so that the end of a run does not either.
//
// Protocol. The page posts { id, name, args } (no id for StopRun and RunShown, whose answer it
// does not wait for); the worker answers each with the same id and
// either { value } or { failure } (the failure's text; trap is true when the core trapped and
// is unusable). While the core opens a file it posts { progress: text }, the status line's
// text, without an id. A file's source is { name, handle, file }: a file handle, read anew at every
// use, or, where the browser gives none, the File it gave. The commands and their values:
//   Start(separator, bodyWidths, headerWidths)  { Caption, Separator }: the caption and the
//                             separator the core took; again with another separator, a
//                             fresh core with empty tables
//   Texts()                   the core's texts that the page fills in itself
//   OpenFile(source)          a result
//   Memory()                  { Heap, Buffers }: the core's memory, which it never gives back,
//                             and the worker's largest buffers: the largest block of a file
//                             read and what it keeps of the tables' shapes
//   RunAll(sources, folder, zipName)  "Alle": { result, zip }, each file's result posted as
//                             { runFile: result } without an id as it ends; folder: a directory
//                             handle to write the reports into, or null for the zip
//   StopRun()                 ends the run going on before its next file
//   RunShown()                the page has drawn the file last posted; the run goes on
//   Report()                  { name, report }, or { refusal } when there is none to save
//   Shape(which), View(which, first, count, x, width), ColumnEdges(which, col),
//   CellsText(which, left, top, right, bottom), ErrorText(), FindingRow(row),
//   SummaryText(row), SortedOrder(names)       the tables' shapes, cells and texts
// A result is the core's: { Naam, Status, Messages, Failure, RegelCount, Report, SummaryRow,
// File, Store }, its Messages what the page tells the user, SummaryRow the error list's row of
// a file of a run and File its place in the run's files.
import { zipSync } from "fflate";

const core = globalThis.MorvelanderCore();

// Reads the file as it is now, in blocks that the core lets go one by one as it copies them, or
// tells why the browser could not read it: the name of its DOMException for a handle, "Changed"
// for a File, which stands for the content the file had when it was picked: a browser that
// cannot give that content any more refuses to read it. The largest block is kept for Memory:
// the most of the file the worker holds beside the core's copy.
let lastRead = 0;

async function ReadSource({ handle, file }) {
  try {
    const current = handle ? await handle.getFile() : file;
    // A stream gives what the browser reads now: Firefox reads a picked file as it is now, past
    // the size it had when it was picked.
    const reader = current.stream().getReader();
    const blocks = [];
    for (let read = await reader.read(); !read.done; read = await reader.read()) {
      blocks.push(read.value);
      lastRead = Math.max(lastRead, read.value.length);
    }
    return { blocks };
  } catch (e) {
    return { error: handle ? (e?.name ?? "") : "Changed" };
  }
}

// Per table: its shape and the left edge of every BlockCols-th column, so that a view can find
// the columns at a scroll position without the page holding millions of widths; the edges of
// single columns come from the widths of their block, asked of the core when a view needs them
// and kept for a few blocks.
const tables = [];
const KeptBlocks = 4;

function Shape(c, which) {
  const { ColCount, RowCount, FixedCols, FixedRows, BlockCols, BlockEdges } = c.TableShape(which);
  const blocks = new Map();
  tables[which] = { ColCount, FixedCols, FixedRows, BlockCols, edges: BlockEdges, blocks };
  return {
    ColCount,
    RowCount,
    FixedCols,
    FixedRows,
    Width: BlockEdges[BlockEdges.length - 1],
    FixedWidth: Left(c, which, FixedCols),
  };
}

// The left edges of the columns of block b and the right edge of its last column.
function BlockLefts(c, which, b) {
  const table = tables[which];
  let lefts = table.blocks.get(b);
  if (lefts) return lefts;
  const widths = c.ColumnWidths(which, b * table.BlockCols, table.BlockCols);
  lefts = new Float64Array(widths.length + 1);
  lefts[0] = table.edges[b];
  for (let i = 0; i < widths.length; ++i) lefts[i + 1] = lefts[i] + widths[i];
  if (table.blocks.size >= KeptBlocks) table.blocks.delete(table.blocks.keys().next().value);
  table.blocks.set(b, lefts);
  return lefts;
}

// The left edge of a column; of ColCount, the table's right edge.
function Left(c, which, col) {
  const { ColCount, BlockCols, edges } = tables[which];
  if (col >= ColCount) return edges[edges.length - 1];
  const b = Math.floor(col / BlockCols);
  return BlockLefts(c, which, b)[col - b * BlockCols];
}

// The first column whose right edge lies beyond x (the last column when none does).
function ColumnAt(c, which, x) {
  const { ColCount, BlockCols, edges } = tables[which];
  let low = 0;
  let high = edges.length - 2;
  while (low < high) {
    const mid = (low + high + 1) >> 1;
    if (edges[mid] <= x) low = mid;
    else high = mid - 1;
  }
  const lefts = BlockLefts(c, which, low);
  let i = 0;
  while (i < lefts.length - 2 && lefts[i + 1] <= x) ++i;
  return Math.min(low * BlockCols + i, ColCount - 1);
}

// The cells of a block of rows in the given columns, each with its left edge and width.
function Block(c, which, first, count, cols) {
  const { FixedCols } = tables[which];
  const { Texts, Colors, Spans } = c.TableRows(which, first, count, cols[0], cols[1] - cols[0]);
  const n = cols[1] - cols[0];
  const aligns = c.ColumnAligns(which, cols[0], n);
  const cells = [];
  for (let k = 0; k < Texts.length; ++k) {
    const col = cols[0] + (k % n);
    // A merged range begun left of the block shows its part in the block as a cell of its own.
    const span = Spans[k] === 0 && col === cols[0] && col >= FixedCols ? 1 : Spans[k];
    if (span === 0) continue;
    const left = Left(c, which, col);
    cells.push({
      row: first + Math.floor(k / n),
      col,
      left,
      width: Left(c, which, col + span) - left,
      text: Texts[k],
      color: Colors[k],
      align: aligns[col - cols[0]],
    });
  }
  return cells;
}

// What a view shows: the header rows and the rows from `first`, each in the header columns and
// in the columns that the band from x to x + width touches.
function View(c, which, first, count, x, width) {
  const { ColCount, FixedCols, FixedRows } = tables[which];
  const body = [FixedCols, FixedCols];
  if (ColCount > FixedCols) {
    body[0] = Math.max(FixedCols, ColumnAt(c, which, x));
    body[1] = Math.min(ColCount, ColumnAt(c, which, x + width) + 1);
  }
  const blocks = (rowFirst, rowCount) => [
    ...(FixedCols > 0 ? Block(c, which, rowFirst, rowCount, [0, FixedCols]) : []),
    ...(body[1] > body[0] ? Block(c, which, rowFirst, rowCount, body) : []),
  ];
  return {
    FirstCol: body[0],
    EndCol: body[1],
    Head: blocks(0, FixedRows),
    Rows: blocks(first, count),
  };
}

// The run of "Alle" going on, and whether the user stopped it.
let running = null;

// The browser writes the new content aside and puts it in place when the stream closes, so a
// failed write leaves the old report.
async function WriteToFolder(folder, name, bytes) {
  const stream = await (await folder.getFileHandle(name, { create: true })).createWritable();
  try {
    await stream.write(bytes);
    await stream.close();
  } catch (e) {
    await stream.abort();
    throw e;
  }
}

// Keeps the report the core holds: written into the folder, or kept for the zip by its name.
// Returns what the core is told: the target, and the name of the DOMException of a write that
// failed, else "".
async function Keep(c, folder, reports) {
  const name = c.ReportName();
  const report = c.ReportBytes();
  if (!folder) {
    reports.set(name, [report, { mtime: new Date() }]);
    return [name, ""];
  }
  try {
    await WriteToFolder(folder, name, report);
    return [`${folder.name}/${name}`, ""];
  } catch (e) {
    return [`${folder.name}/${name}`, e?.name ?? "Error"];
  }
}

const commands = {
  Start: (c, separator, bodyWidths, headerWidths) => {
    const started = c.Start(separator);
    c.SetFontWidths(bodyWidths, headerWidths);
    c.SetProgress((text) => globalThis.postMessage({ progress: text }));
    return started;
  },
  Texts: (c) => c.Texts(),
  // A file the browser cannot read is the core's to tell.
  OpenFile: async (c, source) => {
    const { blocks, error } = await ReadSource(source);
    return blocks ? c.OpenFile(source.name, blocks) : c.OpenFailed(source.name, error);
  },
  Memory: (c) => {
    let kept = 0;
    for (const { edges, blocks } of tables.filter(Boolean)) {
      kept += edges.byteLength;
      for (const lefts of blocks.values()) kept += lefts.byteLength;
    }
    return { Heap: c.HEAP8.length, Buffers: lastRead + kept };
  },
  // "Alle", one call: the core names each file to read and each report to keep, and decides
  // what every file says and when the run ends; each file's result is posted as it ends, as
  // { runFile: result }. Its value is { result, zip }: the run's end, and the zip's bytes when
  // the reports went to no folder and there are any.
  RunAll: async (c, sources, folder, zipName) => {
    running = { stop: false, shown: null };
    const reports = new Map();
    try {
      c.RunStart(sources.length);
      for (let i = c.RunNext(false); i >= 0; i = c.RunNext(running.stop)) {
        const source = sources[i];
        const { blocks, error } = await ReadSource(source);
        let result = blocks ? c.RunFile(source.name, blocks) : c.RunUnread(source.name, error);
        if (result.Store) result = c.RunStored(...(await Keep(c, folder, reports)));
        // The page draws each file before the next, and a Stop clicked meanwhile holds.
        const shown = new Promise((resolve) => (running.shown = resolve));
        globalThis.postMessage({ runFile: result });
        await shown;
      }
    } finally {
      running = null;
    }
    const result = c.RunFinish(folder?.name ?? "", zipName);
    const zip = reports.size > 0 ? zipSync(Object.fromEntries(reports), { level: 6 }) : null;
    return { result, zip };
  },
  // The user's Stop: the run ends before its next file.
  StopRun: () => {
    if (running) running.stop = true;
  },
  // The page has drawn the file last posted.
  RunShown: () => running?.shown?.(),
  // What "Bewaar Fide2006" downloads, or why there is nothing to save.
  Report: (c) => {
    const { Refusal, Name, Bytes } = c.Report();
    return Refusal ? { refusal: Refusal } : { name: Name, report: Bytes };
  },
  Shape,
  View,
  ColumnEdges: (c, which, col) => [Left(c, which, col), Left(c, which, col + 1)],
  CellsText: (c, which, left, top, right, bottom) => c.CellsText(which, left, top, right, bottom),
  ErrorText: (c) => c.ErrorText(),
  FindingRow: (c, row) => c.FindingRow(row),
  SummaryText: (c, row) => c.SummaryText(row),
  SortedOrder: (c, names) => c.SortedOrder(names),
};

globalThis.onmessage = async ({ data: { id, name, args } }) => {
  try {
    const value = await commands[name](await core, ...args);
    const bytes = value?.report ?? value?.zip;
    globalThis.postMessage({ id, value }, bytes ? [bytes.buffer] : []);
  } catch (e) {
    // A trap leaves the core unusable; the page starts a fresh worker.
    const trap = e instanceof WebAssembly.RuntimeError;
    globalThis.postMessage({ id, failure: e.message || String(e), trap });
  }
};
