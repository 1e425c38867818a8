// The game's message boxes as one modal <dialog>: the rest of the page is inert while it is open.
// Messages that arrive together are shown one after another.

export class Dialogs {
  constructor(dialog) {
    this.dialog = dialog;
    this.caption = dialog.querySelector('#message-caption');
    this.text = dialog.querySelector('#message-text');
    this.queue = [];
    this.onIdle = () => {};
    dialog.addEventListener('close', () => this.showNext());
  }

  get busy() {
    return this.dialog.open || this.queue.length > 0;
  }

  show(text, caption, isError) {
    this.queue.push({ text, caption, isError });
    if (!this.dialog.open) this.showNext();
  }

  showNext() {
    const message = this.queue.shift();
    if (!message) {
      this.onIdle();
      return;
    }
    this.caption.textContent = message.caption;
    this.text.textContent = message.text;
    this.dialog.classList.toggle('error', message.isError);
    this.dialog.showModal();
  }
}
