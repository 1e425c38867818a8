// Sound: fire and forget on one voice, as the desktop plays it. A new sound stops the one before; a
// sound that cannot be decoded is silence. The audio context stays suspended until the player's
// first press (browsers allow sound only after a gesture), and rests again whenever nothing plays,
// so that an idle tab keeps no audio device busy.

export class Sound {
  constructor() {
    const Context = window.AudioContext || window.webkitAudioContext;
    this.context = Context ? new Context() : null;
    if (this.context && this.context.state !== 'suspended') this.context.suspend();
    this.allowed = false;
    this.buffers = new Map();
    this.voice = null;
    this.generation = 0;
  }

  get state() {
    return this.context ? this.context.state : 'none';
  }

  // Called from a press, which is a gesture: from now on the context may run.
  allow() {
    this.allowed = true;
  }

  // New files: forget what was decoded.
  forget() {
    this.stop();
    this.buffers.clear();
  }

  play(key, bytes, loop) {
    this.stop();
    const generation = this.generation;
    if (!this.context || !bytes || !this.allowed) return;
    Promise.all([this.decoded(key, bytes), this.context.resume()])
      .then(([buffer]) => {
        if (generation !== this.generation) return;
        const voice = this.context.createBufferSource();
        voice.buffer = buffer;
        voice.loop = loop;
        voice.connect(this.context.destination);
        voice.onended = () => {
          if (this.voice === voice) this.stop();
        };
        voice.start();
        this.voice = voice;
      })
      .catch(() => {});
  }

  stop() {
    this.generation += 1;
    if (this.voice) {
      try {
        this.voice.stop();
      } catch {
        // already ended
      }
      this.voice = null;
    }
    if (this.context && this.context.state === 'running') this.context.suspend();
  }

  decoded(key, bytes) {
    if (!this.buffers.has(key)) {
      const copy = bytes.slice().buffer;
      this.buffers.set(key, this.context.decodeAudioData(copy));
    }
    return this.buffers.get(key);
  }
}
