// The checker's findings as a list beside the editor (each a button that goes to its line), and
// the walk's summary: the checker's report without its findings, as the command prints it, and
// `note` (the characters that block saving, which the checker's count leaves out) when given.
export function showFindingList(list, summary, findings, answer, goTo, note = '') {
  const items = findings.map((finding) => {
    const item = list.ownerDocument.createElement('li');
    const button = list.ownerDocument.createElement('button');
    button.type = 'button';
    button.className = finding.error ? 'error' : 'warning';
    button.textContent = finding.text;
    if (finding.line > 0) button.addEventListener('click', () => goTo(finding));
    item.append(button);
    return item;
  });
  list.replaceChildren(...items);
  const lines = answer.report.split('\n').filter((line) => line !== '');
  summary.textContent = [...lines.slice(answer.findings.length), ...(note ? [note] : [])].join('\n');
}
