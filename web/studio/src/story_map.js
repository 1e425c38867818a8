// The story's map: the checker's pages and the ways between them, laid out by dagre (in the
// worker, beside the check) and drawn as SVG. A click on a page goes to its line in the editor.
import { graphlib, layout } from '@dagrejs/dagre';

const SVG = 'http://www.w3.org/2000/svg';
const NODE_WIDTH = 150;
const NODE_HEIGHT = 36;
const TEXT_CHARACTERS = 10;

// The map's positions: {width, height, nodes: [{...node, x, y}], edges: [{...edge, points}]}.
export function layOut(map) {
  const graph = new graphlib.Graph({ multigraph: true });
  graph.setGraph({ rankdir: 'TB', nodesep: 16, ranksep: 28, marginx: 8, marginy: 8 });
  graph.setDefaultEdgeLabel(() => ({}));
  for (const node of map.nodes) graph.setNode(node.id, { width: NODE_WIDTH, height: NODE_HEIGHT });
  map.edges.forEach((edge, i) => graph.setEdge(edge.from, edge.to, {}, String(i)));
  layout(graph);
  const { width, height } = graph.graph();
  return {
    width,
    height,
    nodes: map.nodes.map((node) => ({ ...node, ...graph.node(node.id) })),
    edges: map.edges.map((edge, i) => ({ ...edge, points: graph.edge(edge.from, edge.to, String(i)).points })),
  };
}

function element(doc, name, attributes, text) {
  const made = doc.createElementNS(SVG, name);
  for (const [key, value] of Object.entries(attributes)) made.setAttribute(key, value);
  if (text !== undefined) made.textContent = text;
  return made;
}

function caption(node) {
  if (node.kind === 'start') return 'start';
  const text = [...node.text].slice(0, TEXT_CHARACTERS).join('');
  return `${node.name} ${node.kind === 'end' ? '' : text}`.trim();
}

// Draws `laid` (layOut's; {skipped} for a map left undrawn; or null) into `holder`; `goTo(line)`
// on a click on a page; `tooLarge(count)` says why a map is not drawn.
export function drawMap(holder, laid, goTo, tooLarge) {
  const doc = holder.ownerDocument;
  if (!laid || laid.skipped) {
    holder.textContent = laid ? tooLarge(laid.skipped) : '';
    return;
  }
  const svg = element(doc, 'svg', { width: laid.width, height: laid.height, role: 'img' });
  const marker = element(doc, 'marker', { id: 'arrow', viewBox: '0 0 10 10', refX: 10, refY: 5,
    markerWidth: 6, markerHeight: 6, orient: 'auto-start-reverse' });
  marker.append(element(doc, 'path', { d: 'M0,0L10,5L0,10z' }));
  const defs = element(doc, 'defs', {});
  defs.append(marker);
  svg.append(defs);
  for (const edge of laid.edges) {
    const d = edge.points.map((p, i) => `${i ? 'L' : 'M'}${p.x.toFixed(1)},${p.y.toFixed(1)}`).join('');
    svg.append(element(doc, 'path', { d, class: `map-edge way-${edge.kind}`, 'marker-end': 'url(#arrow)' }));
  }
  for (const node of laid.nodes) {
    const group = element(doc, 'g', { class: `map-node map-${node.kind}${node.heat ? ' map-heat' : ''}${node.trap ? ' map-trap' : ''}`,
      transform: `translate(${node.x - NODE_WIDTH / 2},${node.y - NODE_HEIGHT / 2})`, tabindex: 0,
      'data-line': node.line });
    group.append(element(doc, 'rect', { width: NODE_WIDTH, height: NODE_HEIGHT, rx: node.kind === 'end' ? 18 : 6 }));
    group.append(element(doc, 'text', { x: 6, y: 15 }, caption(node)));
    if (node.line > 0) group.append(element(doc, 'text', { x: 6, y: 30, class: 'map-line' }, `story.txt:${node.line}`));
    if (node.line > 0) {
      group.addEventListener('click', () => goTo(node.line));
      group.addEventListener('keydown', (event) => {
        if (event.key === 'Enter') goTo(node.line);
      });
    }
    svg.append(group);
  }
  holder.replaceChildren(svg);
}
