// The page's worker: it holds the core, so that a long conversion never stops the page from
// drawing and answering, and it makes the output of "Alle" (the zip, or the reports written
// into a folder), so that the end of a run does not either.
//
// Protocol. The page posts { id, name, args }; the worker answers each with the same id and
// either { value } or { failure } (the failure's text; trap is true when the core trapped and
// is unusable). While the core reads a file it posts { progress: [read, size] } in bytes,
// without an id. A file's source is { name, handle, file }: a file handle, read anew at every
// use, or, where the browser gives none, the File it gave. The commands and their values:
//   Start(separator, bodyWidths, headerWidths)  the caption; again with another separator, a
//                             fresh core with empty tables
//   Texts()                   the core's texts that the page fills in itself
//   OpenFile(source)          a result
//   Memory()                  { Heap, Buffers }: the core's memory, which it never gives back,
//                             and the worker's largest buffers: the largest block of a file
//                             read and what it keeps of the tables' shapes
//   StartBatch(folder)        a result; folder: a directory handle to write the reports
//                             into, or null to keep them for the zip
//   ConvertFile(source)       { result, stop }; its report goes to the folder or the zip;
//                             stop when the run cannot go on (the folder gone, the disk full)
//   FinishBatch()             { result, count, zip }: the number of reports and, when they
//                             went to no folder and there are any, the zip's bytes
//   RunEnd(made, refused, where)  the status line at the end of a run
//   Report()                  { name, report }, or { refusal } when there is none to save
//   Shape(which), View(which, first, count, x, width), ColumnEdges(which, col),
//   CellsText(which, left, top, right, bottom), ErrorText(), FindingRow(row),
//   SummaryText(row), SortedOrder(names)       the tables' shapes, cells and texts
// A result is the core's: { Naam, Status, Messages, Failure, RegelCount, Report, SummaryRow },
// its Messages what the page tells the user, SummaryRow the error list's row of a file of a
// run.
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

// The output of the run going on: the folder its reports are written into, or the reports
// kept for the zip, by name.
let output = { folder: null, reports: new Map(), count: 0 };

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

const commands = {
  Start: (c, separator, bodyWidths, headerWidths) => {
    const caption = c.Start(separator);
    c.SetFontWidths(bodyWidths, headerWidths);
    c.SetProgress((read, size) => globalThis.postMessage({ progress: [read, size] }));
    return caption;
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
  StartBatch: (c, folder) => {
    output = { folder, reports: new Map(), count: 0 };
    return c.StartBatch();
  },
  // A file of "Alle": its result, its report kept for the zip or written into the folder. A
  // report the browser cannot write is that file's outcome, told by the core; the run goes on,
  // unless the folder is gone or the disk full (stop), which ends it for every file to come.
  ConvertFile: async (c, source) => {
    const { blocks, error } = await ReadSource(source);
    if (!blocks) return { result: c.ConvertFailed(source.name, error) };
    const result = c.ConvertFile(source.name, blocks);
    if (!result.Report) return { result };
    const name = c.ReportName();
    const report = c.ReportBytes();
    if (output.folder) {
      try {
        await WriteToFolder(output.folder, name, report);
      } catch (e) {
        const target = `${output.folder.name}/${name}`;
        const stop = e?.name === "NotFoundError" || e?.name === "QuotaExceededError";
        return { result: c.NotWritten(source.name, target, e?.name ?? ""), stop };
      }
    } else output.reports.set(name, [report, { mtime: new Date() }]);
    output.count += 1;
    return { result };
  },
  FinishBatch: (c) => {
    const result = c.FinishBatch();
    const { folder, reports, count } = output;
    output = { folder: null, reports: new Map(), count: 0 };
    const zip = !folder && count > 0 ? zipSync(Object.fromEntries(reports), { level: 6 }) : null;
    return { result, count, zip };
  },
  RunEnd: (c, made, refused, where) => c.RunEnd(made, refused, where),
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
