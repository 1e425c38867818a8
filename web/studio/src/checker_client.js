// The page's side of the studio's worker: one request at a time per kind is enough, but each
// gets its own promise. The worker's code is bundled into the page and started from a blob, so
// that the studio also runs as one file opened from the disk.
import workerSource from 'studio-worker-source';

export class CheckerClient {
  constructor() {
    const url = URL.createObjectURL(new Blob([workerSource], { type: 'text/javascript' }));
    this.worker = new Worker(url);
    this.next = 1;
    this.waiting = new Map();
    this.worker.onmessage = ({ data }) => {
      const { resolve, reject } = this.waiting.get(data.id);
      this.waiting.delete(data.id);
      if ('error' in data) reject(new Error(data.error));
      else resolve(data.result);
    };
  }

  call(op, ...args) {
    const id = this.next++;
    return new Promise((resolve, reject) => {
      this.waiting.set(id, { resolve, reject });
      this.worker.postMessage({ id, op, args });
    });
  }

  init(wasmBinary) { return this.call('init', wasmBinary); }
  editorText(bytes) { return this.call('editorText', bytes); }
  planSave(original, edited, confirmed, japanese) {
    return this.call('planSave', original, edited, confirmed, japanese);
  }
  check(files, japanese) { return this.call('check', files, japanese); }
  layOut(map) { return this.call('layOut', map); }
  frameBmp(rgba, width, height) { return this.call('frameBmp', rgba, width, height); }
  publish(request) { return this.call('publish', request); }
  zipFolder(files) { return this.call('zipFolder', files); }
}
