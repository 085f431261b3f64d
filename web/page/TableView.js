// Draws one of the core's tables: header rows stay on top, header columns at the left, and
// only the rows in view are built, so a table of a hundred thousand rows shows at once. A
// block of body cells can be selected with the mouse.
const RowHeight = 21;
const AlignClass = ["", "center", "right"];

export class TTableView {
  constructor(element, core, which) {
    this.element = element;
    this.core = core;
    this.which = which;
    this.head = element.appendChild(document.createElement("div"));
    this.head.className = "head";
    this.rows = element.appendChild(document.createElement("div"));
    this.rows.className = "rows";
    this.drawn = "";
    this.selection = null;
    element.addEventListener("scroll", () => this.Draw());
    element.addEventListener("mousedown", (e) => this.MouseDown(e));
    new ResizeObserver(() => this.Draw()).observe(element);
  }

  // Takes the table's shape anew after the core changed it.
  Refresh() {
    this.shape = this.core.TableShape(this.which);
    const { ColWidths, FixedRows, RowCount } = this.shape;
    this.lefts = [0];
    for (const w of ColWidths) this.lefts.push(this.lefts[this.lefts.length - 1] + w);
    const width = this.lefts[this.lefts.length - 1];
    this.head.style.width = `${width}px`;
    this.rows.style.width = `${width}px`;
    this.rows.style.height = `${(RowCount - FixedRows) * RowHeight}px`;
    this.head.replaceChildren(...this.BuildRows(0, FixedRows, 0));
    this.selection = null;
    this.drawn = "";
    this.Draw();
  }

  Draw() {
    // A hidden table has no rows in view; it draws when its tab shows.
    if (!this.shape || this.element.clientHeight === 0) return;
    const { FixedRows, RowCount } = this.shape;
    const first = FixedRows + Math.floor(this.element.scrollTop / RowHeight);
    const count = Math.min(Math.ceil(this.element.clientHeight / RowHeight) + 1, RowCount - first);
    const key = `${first}:${count}`;
    if (key === this.drawn) return;
    this.drawn = key;
    this.rows.replaceChildren(...this.BuildRows(first, count, FixedRows));
  }

  BuildRows(first, count, topRow) {
    if (count <= 0) return [];
    const { ColCount, Aligns, FixedCols, FixedRows } = this.shape;
    const { Texts, Colors, Spans } = this.core.TableRows(this.which, first, count);
    const built = [];
    for (let i = 0; i * ColCount < Texts.length; ++i) {
      const r = first + i;
      const row = document.createElement("div");
      row.className = "row";
      row.style.top = `${(r - topRow) * RowHeight}px`;
      for (let c = 0; c < ColCount; ++c) {
        const k = i * ColCount + c;
        if (Spans[k] === 0) continue;
        const cell = row.appendChild(document.createElement("div"));
        cell.className = `cell ${AlignClass[Aligns[c]]}`;
        cell.dataset.col = String(c);
        cell.dataset.row = String(r);
        if (r < FixedRows || c < FixedCols) cell.classList.add("fixed");
        else if (this.IsSelected(c, r)) cell.classList.add("selected");
        if (c < FixedCols) {
          cell.classList.add("fixcol");
          cell.style.left = `${this.lefts[c]}px`;
        }
        cell.style.width = `${this.lefts[c + Spans[k]] - this.lefts[c]}px`;
        if (Colors[k] >= 0) cell.style.background = `#${Colors[k].toString(16).padStart(6, "0")}`;
        cell.textContent = Texts[k];
      }
      built.push(row);
    }
    return built;
  }

  IsSelected(c, r) {
    const s = this.selection;
    return s !== null && c >= s.left && c <= s.right && r >= s.top && r <= s.bottom;
  }

  // The block between the cell the mouse went down on and the body cell it is over now.
  MouseDown(e) {
    const start = this.BodyCell(e.target);
    if (e.button !== 0 || !start) return;
    e.preventDefault();
    const extend = (to) => {
      this.selection = {
        left: Math.min(start.c, to.c),
        right: Math.max(start.c, to.c),
        top: Math.min(start.r, to.r),
        bottom: Math.max(start.r, to.r),
      };
      for (const cell of this.rows.querySelectorAll(".cell:not(.fixed)"))
        cell.classList.toggle(
          "selected",
          this.IsSelected(Number(cell.dataset.col), Number(cell.dataset.row)),
        );
    };
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
