// The plain message of the window: the program title, the text and one "OK" button. Messages
// wait for each other, so a batch can raise several in turn.
const box = document.getElementById("MessageBox");
let queue = Promise.resolve();

export function ShowMessage(text) {
  queue = queue.then(
    () =>
      new Promise((resolve) => {
        // The core's messages break lines with CR, as the window's dialogs do.
        box.querySelector(".text").textContent = text.replace(/\r\n?/g, "\n");
        box.addEventListener("close", resolve, { once: true });
        box.showModal();
      }),
  );
  return queue;
}
