// The plain message of the window: the program title, the text and one "OK" button; and its
// questions, with a button per answer. Messages and questions wait for each other, so a batch
// can raise several in turn.
import { T } from "./Texts.js";

const box = document.getElementById("MessageBox");
let queue = Promise.resolve();

// Shows the text with a button per answer, the one of the value `cancel` focused, so that Enter
// gives it; resolves with the value of the answer clicked, or `cancel` when the box is closed
// otherwise (Escape).
function Show(text, answers, cancel) {
  const shown = queue.then(
    () =>
      new Promise((resolve) => {
        // The core's messages break lines with CR, as the window's dialogs do.
        box.querySelector(".text").textContent = text.replace(/\r\n?/g, "\n");
        const buttons = answers.map(({ label, value }) => {
          const button = document.createElement("button");
          button.value = value;
          button.textContent = label;
          return button;
        });
        box.querySelector(".answers").replaceChildren(...buttons);
        box.returnValue = "";
        const answered = () => answers.some((a) => a.value === box.returnValue);
        box.addEventListener("close", () => resolve(answered() ? box.returnValue : cancel), {
          once: true,
        });
        box.showModal();
        buttons.find((b) => b.value === cancel).focus();
      }),
  );
  queue = shown;
  return shown;
}

export const ShowMessage = (text) => Show(text, [{ label: T.KnopOK ?? "", value: "ok" }], "ok");

// A question: answers are { label, value }; `cancel`, the answer of Escape, is also the one
// Enter gives.
export const Ask = (text, answers, cancel) => Show(text, answers, cancel);
