// The catalogue of the core, every text by its id, once the core has started; %1 and %2 take
// numbers or names. The page's own labels name their text's id: data-tekst for the content,
// data-tekst-title for the tooltip, data-tekst-label for the name a screen reader gives.
export const T = {};

export async function LoadTexts(core) {
  Object.assign(T, await core.Call("Texts"));
  for (const e of document.querySelectorAll("[data-tekst]")) e.textContent = T[e.dataset.tekst];
  for (const e of document.querySelectorAll("[data-tekst-title]"))
    e.title = T[e.dataset.tekstTitle];
  for (const e of document.querySelectorAll("[data-tekst-label]"))
    e.setAttribute("aria-label", T[e.dataset.tekstLabel]);
}

// The text with %1 and %2 replaced by the given words, in one pass as the core does, so a
// name that holds "%2" stays as it is.
export const FillIn = (text, first, second = "") =>
  text.replace(/%([12])/g, (_, n) => String(n === "1" ? first : second));

// A failure whose text is the catalogue's own.
export class TTold extends Error {}

// A failure's text for the user: the catalogue's texts as they are; what failed in the page or
// the browser gets the catalogue's words before the browser's, which may be English.
export function FailureText(e) {
  if (e instanceof TTold) return e.message;
  const detail = e?.message || String(e);
  return T.PaginaFout ? `${T.PaginaFout}\r${detail}` : detail;
}
