// Draws one of the core's tables as a grid: header rows stay on top, header columns at the
// left, and only the rows and columns in view are built, so a table of a hundred thousand rows
// or a line of millions of fields shows at once. The grid takes the focus: arrows move the
// current cell, Shift and the mouse select a block, Ctrl+C copies it, Enter or a double-click
// acts on the current row.
import { TStopped } from "./Core.js";
import { ShowWholeOnHover } from "./CutText.js";

const RowHeight = 21;
const AlignClass = ["", "center", "right"];
// Browsers lay out no wider than some millions of pixels; a wider table scrolls in steps of
// more than a pixel.
const MaxWidth = 8000000;

export class TTableView {
  // onCopy(text): Ctrl+C on a selection; onActivate(row): Enter or a double-click on a body row.
  constructor(element, core, which, { onCopy, onActivate }) {
    this.element = element;
    this.core = core;
    this.which = which;
    this.onCopy = onCopy;
    this.onActivate = onActivate;
    element.setAttribute("role", "grid");
    element.setAttribute("aria-multiselectable", "true");
    element.tabIndex = 0;
    this.head = element.appendChild(document.createElement("div"));
    this.head.className = "head";
    this.head.setAttribute("role", "rowgroup");
    this.rows = element.appendChild(document.createElement("div"));
    this.rows.className = "rows";
    this.rows.setAttribute("role", "rowgroup");
    this.shape = null;
    this.drawn = null;
    this.drawing = false;
    this.again = false;
    this.current = null;
    this.anchor = null;
    element.addEventListener("scroll", () => this.Draw());
    ShowWholeOnHover(element, ".cell");
    element.addEventListener("mousedown", (e) => this.MouseDown(e));
    element.addEventListener("dblclick", (e) => {
      const cell = this.BodyCell(e.target);
      if (cell) this.onActivate?.(cell.r);
    });
    element.addEventListener("keydown", (e) => this.KeyDown(e));
    element.addEventListener("focus", () => {
      if (this.current) return;
      this.current = this.anchor = this.FirstBody();
      this.ShowCurrent();
    });
    new ResizeObserver(() => this.Draw()).observe(element);
  }

  // Takes the table's shape anew after the core changed it.
  async Refresh() {
    this.shape = await this.core.Call("Shape", this.which);
    const { ColCount, FixedRows, RowCount, Width } = this.shape;
    this.element.setAttribute("aria-rowcount", String(RowCount));
    this.element.setAttribute("aria-colcount", String(ColCount));
    this.width = Math.min(Width, MaxWidth);
    this.head.style.width = `${this.width}px`;
    this.rows.style.width = `${this.width}px`;
    this.rows.style.height = `${(RowCount - FixedRows) * RowHeight}px`;
    this.current = null;
    this.anchor = null;
    this.drawn = null;
    await this.Draw();
  }

  // The table's x at the left edge of the view.
  ViewX() {
    const view = this.element.clientWidth;
    const room = this.width - view;
    if (room <= 0) return 0;
    return (this.element.scrollLeft * (this.shape.Width - view)) / room;
  }

  // Builds what is in view when it is not built yet; one request to the core at a time.
  async Draw() {
    // A hidden table has nothing in view; it draws when its tab shows.
    if (!this.shape || this.element.clientHeight === 0) return;
    if (this.drawing) {
      this.again = true;
      return;
    }
    const { FixedRows, RowCount, FixedWidth, Width } = this.shape;
    const view = this.element.clientWidth;
    const scaled = Width > this.width;
    const x = this.ViewX();
    const first = FixedRows + Math.floor(this.element.scrollTop / RowHeight);
    const count = Math.min(Math.ceil(this.element.clientHeight / RowHeight) + 1, RowCount - first);
    const d = this.drawn;
    if (
      d &&
      d.first === first &&
      d.count === count &&
      d.left <= x + FixedWidth &&
      d.right >= Math.min(x + view, Width) &&
      (!scaled || d.scrollLeft === this.element.scrollLeft)
    )
      return;
    this.drawing = true;
    this.element.dataset.drawing = "true";
    try {
      // Unscaled, the columns half a view to each side come along, so a short scroll needs no
      // new cells.
      const margin = scaled ? 0 : view / 2;
      const from = Math.max(0, x + FixedWidth - margin);
      const shown = await this.core.Call("View", this.which, first, count, from, view + 2 * margin);
      const placed = { scrollLeft: this.element.scrollLeft, x };
      this.head.replaceChildren(...this.BuildRows(shown.Head, 0, FixedRows, placed));
      this.rows.replaceChildren(...this.BuildRows(shown.Rows, first, count, placed));
      const body = shown.Rows.concat(shown.Head).filter((c) => c.col >= this.shape.FixedCols);
      this.drawn = {
        first,
        count,
        left: body.length ? Math.min(...body.map((c) => c.left)) : 0,
        right: body.length ? Math.max(...body.map((c) => c.left + c.width)) : Width,
        scrollLeft: this.element.scrollLeft,
      };
      this.ShowCurrent();
    } catch (e) {
      if (!(e instanceof TStopped)) throw e;
    } finally {
      this.drawing = false;
      delete this.element.dataset.drawing;
    }
    if (this.again) {
      this.again = false;
      await this.Draw();
    }
  }

  // The rows of a block of cells; a body cell stands where the table's x puts it in view.
  BuildRows(cells, first, count, { scrollLeft, x }) {
    const { FixedCols, FixedRows, FixedWidth } = this.shape;
    const built = [];
    for (let i = 0; i < count; ++i) {
      const r = first + i;
      const row = document.createElement("div");
      row.className = "row";
      row.setAttribute("role", "row");
      row.setAttribute("aria-rowindex", String(r + 1));
      row.style.top = `${(r - (r < FixedRows ? 0 : FixedRows)) * RowHeight}px`;
      built.push(row);
    }
    for (const cell of cells) {
      const row = built[cell.row - first];
      if (!row) continue;
      const fixedCol = cell.col < FixedCols;
      if (!fixedCol && row.dataset.spaced !== "true") {
        // Fills the room between the header columns and the first body cell drawn.
        const spacer = row.appendChild(document.createElement("div"));
        spacer.className = "spacer";
        spacer.setAttribute("aria-hidden", "true");
        spacer.style.width = `${Math.max(0, scrollLeft + cell.left - x - FixedWidth)}px`;
        row.dataset.spaced = "true";
      }
      const div = row.appendChild(document.createElement("div"));
      const header = cell.row < FixedRows;
      // An empty header cell names nothing; it is read as a plain cell.
      const role = header ? "columnheader" : fixedCol ? "rowheader" : "gridcell";
      div.setAttribute("role", cell.text ? role : "gridcell");
      div.setAttribute("aria-colindex", String(cell.col + 1));
      div.className = `cell ${AlignClass[cell.align]}`;
      div.id = `${this.element.id}-${cell.row}-${cell.col}`;
      div.dataset.col = String(cell.col);
      div.dataset.row = String(cell.row);
      if (header || fixedCol) div.classList.add("fixed");
      else div.setAttribute("aria-selected", String(this.IsSelected(cell.col, cell.row)));
      if (fixedCol) {
        div.classList.add("fixcol");
        div.style.left = `${cell.left}px`;
      }
      div.style.width = `${cell.width}px`;
      if (cell.color >= 0) div.style.background = `#${cell.color.toString(16).padStart(6, "0")}`;
      div.textContent = cell.text;
    }
    return built;
  }

  Selection() {
    const [a, c] = [this.anchor, this.current];
    if (!a || !c) return null;
    return {
      left: Math.min(a.c, c.c),
      right: Math.max(a.c, c.c),
      top: Math.min(a.r, c.r),
      bottom: Math.max(a.r, c.r),
    };
  }

  IsSelected(c, r) {
    const s = this.Selection();
    return s !== null && c >= s.left && c <= s.right && r >= s.top && r <= s.bottom;
  }

  // Marks the selection and the current cell among the cells drawn.
  ShowCurrent() {
    for (const cell of this.rows.querySelectorAll(".cell:not(.fixed)")) {
      const c = Number(cell.dataset.col);
      const r = Number(cell.dataset.row);
      cell.setAttribute("aria-selected", String(this.IsSelected(c, r)));
      cell.classList.toggle("current", this.current?.c === c && this.current?.r === r);
    }
    const id = this.current && `${this.element.id}-${this.current.r}-${this.current.c}`;
    if (id && document.getElementById(id)) this.element.setAttribute("aria-activedescendant", id);
    else this.element.removeAttribute("aria-activedescendant");
  }

  FirstBody() {
    const { ColCount, FixedCols, FixedRows, RowCount } = this.shape ?? {};
    if (!this.shape || ColCount <= FixedCols || RowCount <= FixedRows) return null;
    return { c: FixedCols, r: FixedRows };
  }

  // Makes the body cell current; with `extend` the block from the anchor to it is selected,
  // else the cell alone. Scrolls it into view.
  async MoveTo(cell, extend) {
    if (!cell) return;
    const { ColCount, FixedCols, FixedRows, RowCount } = this.shape;
    const to = {
      c: Math.min(Math.max(cell.c, FixedCols), ColCount - 1),
      r: Math.min(Math.max(cell.r, FixedRows), RowCount - 1),
    };
    this.current = to;
    if (!extend || !this.anchor) this.anchor = to;
    this.ShowCurrent();
    await this.ScrollTo(to);
  }

  async ScrollTo({ c, r }) {
    const { FixedRows, FixedWidth, Width } = this.shape;
    const grid = this.element;
    const top = (r - FixedRows) * RowHeight;
    const rowsHeight = grid.clientHeight - FixedRows * RowHeight;
    if (top < grid.scrollTop) grid.scrollTop = top;
    else if (top + RowHeight > grid.scrollTop + rowsHeight)
      grid.scrollTop = top + RowHeight - rowsHeight;
    const [left, right] = await this.core.Call("ColumnEdges", this.which, c);
    const view = grid.clientWidth;
    let x = this.ViewX();
    if (left < x + FixedWidth) x = left - FixedWidth;
    else if (right > x + view) x = Math.min(left - FixedWidth, right - view);
    const room = this.width - view;
    if (room > 0) grid.scrollLeft = Math.round((x * room) / (Width - view));
    await this.Draw();
  }

  KeyDown(e) {
    if (!this.shape) return;
    const ctrl = e.ctrlKey || e.metaKey;
    if (ctrl && e.key.toLowerCase() === "c") {
      e.preventDefault();
      this.Copy();
      return;
    }
    if (ctrl && e.key.toLowerCase() === "a") {
      e.preventDefault();
      const { ColCount, RowCount } = this.shape;
      this.anchor = this.FirstBody();
      this.current = this.anchor && { c: ColCount - 1, r: RowCount - 1 };
      this.ShowCurrent();
      return;
    }
    if (e.key === "Enter" && this.current) {
      e.preventDefault();
      this.onActivate?.(this.current.r);
      return;
    }
    const at = this.current ?? this.FirstBody();
    if (!at) return;
    const page = Math.max(1, Math.floor(this.element.clientHeight / RowHeight) - 2);
    const { ColCount, RowCount } = this.shape;
    const moves = {
      ArrowLeft: { c: at.c - 1, r: at.r },
      ArrowRight: { c: at.c + 1, r: at.r },
      ArrowUp: { c: at.c, r: at.r - 1 },
      ArrowDown: { c: at.c, r: at.r + 1 },
      PageUp: { c: at.c, r: at.r - page },
      PageDown: { c: at.c, r: at.r + page },
      Home: ctrl ? { c: 0, r: 0 } : { c: 0, r: at.r },
      End: ctrl ? { c: ColCount - 1, r: RowCount - 1 } : { c: ColCount - 1, r: at.r },
    };
    const to = moves[e.key];
    if (!to) return;
    e.preventDefault();
    this.MoveTo(to, e.shiftKey);
  }

  // Copies the selected block in the clipboard form of the "ClipBoard" button.
  async Copy() {
    const s = this.Selection();
    if (!s) return;
    this.onCopy(
      await this.core.Call("CellsText", this.which, s.left, s.top, s.right, s.bottom),
    );
  }

  // The block between the cell the mouse went down on and the body cell it is over now;
  // with Shift, from the anchor.
  MouseDown(e) {
    const start = this.BodyCell(e.target);
    if (e.button !== 0 || !start) return;
    e.preventDefault();
    this.element.focus({ preventScroll: true });
    const extend = (to) => {
      this.current = to;
      this.ShowCurrent();
    };
    if (!e.shiftKey || !this.anchor) this.anchor = start;
    const move = (m) => {
      const over = this.BodyCell(m.target);
      if (over) extend(over);
    };
    const up = () => {
      document.removeEventListener("mousemove", move);
      document.removeEventListener("mouseup", up);
    };
    document.addEventListener("mousemove", move);
    document.addEventListener("mouseup", up);
    extend(start);
  }

  BodyCell(target) {
    const cell = target.closest?.(".cell:not(.fixed)");
    if (!cell || !this.rows.contains(cell)) return null;
    return { c: Number(cell.dataset.col), r: Number(cell.dataset.row) };
  }
}
