// The page's entry: boots the player unless the page was opened as a file (index.html says why).
import { Player } from './player.js';

if (location.protocol !== 'file:') {
  window.luxarim = new Player(document);
  window.luxarim.boot();
}
