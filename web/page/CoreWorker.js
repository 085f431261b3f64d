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
//   OpenFile(source)          a result, with Heap, the core's memory after it
//   StartBatch(folder)        a result; folder: a directory handle to write the reports
//                             into, or null to keep them for the zip
//   ConvertFile(source)       { result }; its report goes to the folder or the zip
//   FinishBatch()             { result, count, zip }: the number of reports and, when they
//                             went to no folder and there are any, the zip's bytes
//   Report()                  { name, report }, or { refusal } when there is none to save
//   Shape(which), View(which, first, count, x, width), ColumnEdges(which, col),
//   CellsText(which, left, top, right, bottom), ErrorText(), FindingRow(row),
//   SummaryText(row), SortedOrder(names)       the tables' shapes, cells and texts
// A result is the core's: { Naam, Status, Messages, Failure, RegelCount, Report }, its
// Messages what the page tells the user.
import { zipSync } from "fflate";

const core = globalThis.MorvelanderCore();

// Per table: its shape and the left edge of every column, so that a view can ask for the
// columns at a scroll position without the page holding millions of widths.
const tables = [];

// The file's bytes as they are now, or why the browser could not read them: the name of its
// DOMException for a handle, "Changed" for a File, which stands for the content the file had
// when it was picked: a browser that cannot give that content any more refuses to read it.
async function ReadSource({ handle, file }) {
  try {
    const current = handle ? await handle.getFile() : file;
    return { bytes: new Uint8Array(await current.arrayBuffer()) };
  } catch (e) {
    return { error: handle ? (e?.name ?? "") : "Changed" };
  }
}

function Shape(c, which) {
  const shape = c.TableShape(which);
  const lefts = new Float64Array(shape.ColCount + 1);
  for (let i = 0; i < shape.ColCount; ++i) lefts[i + 1] = lefts[i] + shape.ColWidths[i];
  // The widths are let go: the edges say the same.
  const { ColCount, FixedCols, FixedRows, Aligns } = shape;
  tables[which] = { shape: { ColCount, FixedCols, FixedRows, Aligns }, lefts };
  return {
    ColCount: shape.ColCount,
    RowCount: shape.RowCount,
    FixedCols: shape.FixedCols,
    FixedRows: shape.FixedRows,
    Width: lefts[shape.ColCount],
    FixedWidth: lefts[shape.FixedCols],
  };
}

// The first column whose right edge lies beyond x.
function ColumnAt(lefts, x) {
  let low = 0;
  let high = lefts.length - 2;
  while (low < high) {
    const mid = (low + high) >> 1;
    if (lefts[mid + 1] <= x) low = mid + 1;
    else high = mid;
  }
  return low;
}

// The cells of a block of rows in the given columns, each with its left edge and width.
function Block(c, which, first, count, cols) {
  const { shape, lefts } = tables[which];
  const { Texts, Colors, Spans } = c.TableRows(which, first, count, cols[0], cols[1] - cols[0]);
  const n = cols[1] - cols[0];
  const cells = [];
  for (let k = 0; k < Texts.length; ++k) {
    const col = cols[0] + (k % n);
    // A merged range begun left of the block shows its part in the block as a cell of its own.
    const span = Spans[k] === 0 && col === cols[0] && col >= shape.FixedCols ? 1 : Spans[k];
    if (span === 0) continue;
    cells.push({
      row: first + Math.floor(k / n),
      col,
      left: lefts[col],
      width: lefts[col + span] - lefts[col],
      text: Texts[k],
      color: Colors[k],
      align: shape.Aligns[col],
    });
  }
  return cells;
}

// What a view shows: the header rows and the rows from `first`, each in the header columns and
// in the columns that the band from x to x + width touches.
function View(c, which, first, count, x, width) {
  const { shape, lefts } = tables[which];
  const { ColCount, FixedCols, FixedRows } = shape;
  const body = [FixedCols, FixedCols];
  if (ColCount > FixedCols) {
    body[0] = Math.max(FixedCols, ColumnAt(lefts, x));
    body[1] = Math.min(ColCount, ColumnAt(lefts, x + width) + 1);
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
  // With the size the core's memory has grown to, which it never gives back: its peak. A file
  // the browser cannot read is the core's to tell.
  OpenFile: async (c, source) => {
    const { bytes, error } = await ReadSource(source);
    const result = bytes ? c.OpenFile(source.name, bytes) : c.OpenFailed(source.name, error);
    return { ...result, Heap: c.HEAP8.length };
  },
  StartBatch: (c, folder) => {
    output = { folder, reports: new Map(), count: 0 };
    return c.StartBatch();
  },
  // A file of "Alle": its result, its report kept for the zip or written into the folder. A
  // report the browser cannot write is that file's outcome, told by the core; the run goes on.
  ConvertFile: async (c, source) => {
    const { bytes, error } = await ReadSource(source);
    if (!bytes) return { result: c.ConvertFailed(source.name, error) };
    const result = c.ConvertFile(source.name, bytes);
    if (!result.Report) return { result };
    const name = c.ReportName();
    const report = c.ReportBytes();
    if (output.folder) {
      try {
        await WriteToFolder(output.folder, name, report);
      } catch (e) {
        const target = `${output.folder.name}/${name}`;
        return { result: c.NotWritten(source.name, target, e?.name ?? "") };
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
  // What "Bewaar Fide2006" downloads, or why there is nothing to save.
  Report: (c) => {
    const { Refusal, Name, Bytes } = c.Report();
    return Refusal ? { refusal: Refusal } : { name: Name, report: Bytes };
  },
  Shape,
  View,
  ColumnEdges: (c, which, col) => [tables[which].lefts[col], tables[which].lefts[col + 1]],
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
