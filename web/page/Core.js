import { TTold } from "./Texts.js";

// The reason of the commands in flight when the worker was ended on purpose.
export class TStopped extends TTold {}

// The page's side of the core's worker: each command is a message and its answer a promise.
// A trap in the core, or a stop, ends the worker; the next command starts a fresh one.
export class TCore {
  // scriptText: the worker's script; startArgs: what a fresh core is told first;
  // onProgress(read, size): how far the core has read the file it loads, in bytes.
  constructor(scriptText, startArgs, onProgress) {
    this.onProgress = onProgress;
    this.url = URL.createObjectURL(new Blob([scriptText], { type: "text/javascript" }));
    this.startArgs = startArgs;
    this.worker = null;
    this.pending = new Map();
    this.nextId = 0;
  }

  // The caption, once a worker's core has started.
  Start() {
    if (!this.worker) this.Begin();
    return this.started;
  }

  // Runs the command in the worker; a failure rejects with its text, a trap with a
  // WebAssembly.RuntimeError after the worker has been let go.
  Call(name, ...args) {
    if (!this.worker) this.Begin();
    return this.Send(name, args);
  }

  // The decimal separator from now on, also of a fresh core: the core starts anew, with empty
  // tables. Returns the caption.
  SetSeparator(separator) {
    this.startArgs[0] = separator;
    return this.Call("Start", ...this.startArgs);
  }

  // Ends the worker at once, whatever it is doing; the commands in flight reject with `reason`.
  Stop(reason) {
    if (!this.worker) return;
    this.worker.terminate();
    this.worker = null;
    for (const { reject } of this.pending.values()) reject(reason);
    this.pending.clear();
  }

  Begin() {
    this.worker = new Worker(this.url);
    this.worker.onmessage = ({ data: { id, value, failure, trap, progress } }) => {
      if (progress) {
        this.onProgress(...progress);
        return;
      }
      const call = this.pending.get(id);
      if (!call) return;
      this.pending.delete(id);
      if (trap) {
        this.Stop(new WebAssembly.RuntimeError(failure));
        call.reject(new WebAssembly.RuntimeError(failure));
      } else if (failure !== undefined) call.reject(new Error(failure));
      else call.resolve(value);
    };
    this.worker.onerror = (e) => {
      e.preventDefault();
      this.Stop(new WebAssembly.RuntimeError(e.message));
    };
    // The caption, once the core has started.
    this.started = this.Send("Start", this.startArgs);
  }

  Send(name, args) {
    return new Promise((resolve, reject) => {
      const id = ++this.nextId;
      this.pending.set(id, { resolve, reject });
      this.worker.postMessage({ id, name, args });
    });
  }
}
