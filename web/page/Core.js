import { TTold } from "./Texts.js";

// The reason of the commands in flight when the worker was ended on purpose.
export class TStopped extends TTold {}

// The page's side of the core's worker: each command is a message and its answer a promise.
// A trap in the core, or a stop, ends the worker; the next command starts a fresh one.
export class TCore {
  // scriptText: the worker's script; startArgs: what a fresh core is told first;
  // onProgress(text): how far the core is with the file it opens, as the status line says it.
  constructor(scriptText, startArgs, onProgress) {
    this.onProgress = onProgress;
    this.url = URL.createObjectURL(new Blob([scriptText], { type: "text/javascript" }));
    this.startArgs = startArgs;
    this.worker = null;
    this.pending = new Map();
    this.nextId = 0;
    // Called with each file's result of a run of "Alle" as it ends.
    this.onRunFile = null;
  }

  // { Caption, Separator }, once a worker's core has started.
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

  // Tells the core's worker what needs no answer; nothing when no worker runs.
  Tell(name, ...args) {
    this.worker?.postMessage({ name, args });
  }

  // The decimal separator from now on, also of a fresh core: the core starts anew, with empty
  // tables. Returns what Start returns.
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
    this.worker.onmessage = ({ data: { id, value, failure, trap, progress, runFile } }) => {
      if (progress) {
        this.onProgress(progress);
        return;
      }
      if (runFile) {
        this.onRunFile?.(runFile);
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
    // What the core started with.
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
