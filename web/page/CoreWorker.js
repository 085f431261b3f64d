// The page's worker: it holds the core, so that a long conversion never stops the page from
// drawing and answering. Each message names a command and its arguments; the answer carries
// the same id and either the value or the failure's text.
const core = globalThis.MorvelanderCore();

// Per table: its shape and the left edge of every column, so that a view can ask for the
// columns at a scroll position without the page holding millions of widths.
const tables = [];

// The file's bytes, or the DOMException's name that says why the browser could not read it.
async function ReadBytes(file) {
  try {
    return { bytes: new Uint8Array(await file.arrayBuffer()) };
  } catch (e) {
    return { error: e?.name ?? "" };
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
  OpenFile: async (c, file) => {
    const { bytes, error } = await ReadBytes(file);
    const result = bytes ? c.OpenFile(file.name, bytes) : c.OpenFailed(file.name, error);
    return { ...result, Heap: c.HEAP8.length };
  },
  StartBatch: (c) => c.StartBatch(),
  // A file of "Alle": its result, and its report when the run made one.
  ConvertFile: async (c, file) => {
    const { bytes, error } = await ReadBytes(file);
    const result = bytes ? c.ConvertFile(file.name, bytes) : c.ConvertFailed(file.name, error);
    if (!result.Report) return { result, name: c.ReportName() };
    return { result, name: c.ReportName(), report: c.ReportBytes() };
  },
  // A report of "Alle" that the browser could not write into the folder.
  NotWritten: (c, name, target, error) => c.NotWritten(name, target, error),
  FinishBatch: (c) => c.FinishBatch(),
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
  SortedOrder: (c, names) => c.SortedOrder(names),
};

globalThis.onmessage = async ({ data: { id, name, args } }) => {
  try {
    const value = await commands[name](await core, ...args);
    const transfer = value?.report ? [value.report.buffer] : [];
    globalThis.postMessage({ id, value }, transfer);
  } catch (e) {
    // A trap leaves the core unusable; the page starts a fresh worker.
    const trap = e instanceof WebAssembly.RuntimeError;
    globalThis.postMessage({ id, failure: e.message || String(e), trap });
  }
};
