// Texts wider than their room show cut, with an ellipsis, as the window shows them; the whole
// text (as far as the core hands it over to show) is the tooltip of the element under the
// pointer, set only when it is cut.
export function ShowWholeOnHover(container, selector) {
  container.addEventListener("mouseover", (e) => {
    const element = e.target.closest(selector);
    if (!element || !container.contains(element)) return;
    if (element.scrollWidth > element.clientWidth) element.title = element.textContent;
    else element.removeAttribute("title");
  });
}
