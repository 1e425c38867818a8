// The page's side of the studio's worker, which answers requests in the order sent, each with its
// own promise. The worker's code is bundled into the page and started from a blob, so
// that the studio also runs as one file opened from the disk.
import workerSource from 'studio-worker-source';

export class CheckerClient {
  constructor() {
    const url = URL.createObjectURL(new Blob([workerSource], { type: 'text/javascript' }));
    this.worker = new Worker(url);
    this.next = 1;
    this.waiting = new Map();
    this.sent = new Map();  // the story folder's files as the worker has them
    this.worker.onmessage = ({ data }) => {
      const { resolve, reject } = this.waiting.get(data.id);
      this.waiting.delete(data.id);
      if ('error' in data) {
        // The worker may not have written what was sent: everything goes again next time.
        this.sent.clear();
        reject(new Error(data.error));
      } else {
        resolve(data.result);
      }
    };
  }

  // The files of `files` (name -> bytes or null) that differ from what the worker has, a file no
  // longer there as null: a pause in typing sends the story alone, not the frames and sounds.
  changes(files) {
    const changed = {};
    for (const name of new Set([...this.sent.keys(), ...Object.keys(files)])) {
      const bytes = files[name] || null;
      if (this.sent.get(name) === bytes) continue;
      changed[name] = bytes;
      this.sent.set(name, bytes);
    }
    return changed;
  }

  call(op, ...args) {
    const id = this.next++;
    return new Promise((resolve, reject) => {
      this.waiting.set(id, { resolve, reject });
      this.worker.postMessage({ id, op, args });
    });
  }

  loadFace(url) { return this.call('loadFace', url); }
  init(wasmBinary) { return this.call('init', wasmBinary); }
  hasFace() { return this.call('hasFace'); }
  editorText(bytes) { return this.call('editorText', bytes); }
  planSave(original, edited, confirmed, japanese) {
    return this.call('planSave', original, edited, confirmed, japanese);
  }
  check(files, japanese) { return this.call('check', this.changes(files), japanese); }
  layOut(map) { return this.call('layOut', map); }
  frameBmp(rgba, width, height) { return this.call('frameBmp', rgba, width, height); }
  publish(request) { return this.call('publish', { ...request, files: this.changes(request.files) }); }
  zipFolder(files) { return this.call('zipFolder', this.changes(files)); }
  sortOld(old) { return this.call('sortOld', old); }
}
