// The studio's own words, in the page's language (Japanese unless the browser asks for another,
// or ?lang=en); the checker's findings come from the module in the same language.
const TEXTS = {
  ja: {
    title: '物語スタジオ',
    open: 'フォルダーを開く',
    new: '新しい物語',
    save: '保存',
    playHere: 'ここから遊ぶ',
    editor: '物語の文章',
    play: 'プレイ',
    findings: 'チェック結果',
    map: '分岐図',
    assets: 'フレームと音',
    missing: 'ありません',
    mapTooLarge: (n) => `ページが ${n} あるため、分岐図は描きません（400 ページまで描きます）。`,
    saveAnyway: '保存する',
    cancel: 'やめる',
    saved: (name) => `「${name}」を保存しました。`,
    notSaved: '保存していません。',
    replaced: (name) => `「${name}」を置き換えました。`,
    notAPicture: (name) => `「${name}」は絵として読めません。`,
    readOnly: (name) => `「${name}」（読み取り専用。保存するとダウンロードします）`,
    opened: (name) => `「${name}」`,
    newStory: '新しい物語（保存するとフォルダーを選びます）',
    noStory: 'このフォルダーには story.txt も dat/story.txt もありません。',
    checking: 'チェック中…',
    refused: '保存できません。Shift_JIS にない文字があります。',
    unsaveable: (n) => `保存できない文字 ${n} 個（上の数には含みません）`,
    saveFailed: (why) => `保存できませんでした（${why}）。ファイルは元のままです。`,
    unsaved: '保存していない変更があります。',
    publish: '公開',
    publishHeading: '物語をウェブサイトとして公開',
    publishTitle: 'ページの題名（空ならゲームの題名）',
    publishAs: '書き出し先',
    publishZip: 'zip ファイル（ゲームを置くサイトにそのまま上げられます）',
    publishFolder: 'フォルダー（前回の公開は置き換え、ほかのファイルは残します）',
    publishGo: '公開する',
    publishAnyway: '公開する',
    publishErrors: (n) => `チェックでエラーが ${n} 件見つかりました。このまま公開しますか。`,
    publishing: '公開の準備中…',
    published: (name) => `「${name}」に公開しました。`,
    publishFailed: (why) => `公開できませんでした（${why}）。`,
    publishReplaces: (name, list) => `「${name}」には、前回の公開のままではないファイルがあり、新しいサイトで置き換わります：${list}。置き換えますか。`,
    publishReplace: '置き換える',
    notPublished: '公開していません。',
    newStoryReplaces: (name, list) => `「${name}」には物語のファイルがすでにあり、新しい物語で置き換わります：${list}。置き換えますか。`,
    holdsStory: (name) => `「${name}」は物語のフォルダーか、それを含むか、その中のフォルダーです。サイトはほかのフォルダーに公開してください（何も書いていません）。`,
    pickFace: '文字を切り出すフォント IPA P ゴシック（ipagp.ttf）を選んでください（ほかのフォントは使えません）。',
    zipSaved: (name) => `「${name}」をダウンロードしました。`,
  },
  en: {
    title: 'Story studio',
    open: 'Open folder',
    new: 'New story',
    save: 'Save',
    playHere: 'Play from here',
    editor: 'Story text',
    play: 'Play',
    findings: 'Check results',
    map: 'Story map',
    assets: 'Frames and sounds',
    missing: 'missing',
    mapTooLarge: (n) => `The map is not drawn: the story has ${n} pages (it is drawn up to 400).`,
    saveAnyway: 'Save',
    cancel: 'Cancel',
    saved: (name) => `Saved "${name}".`,
    notSaved: 'Not saved.',
    replaced: (name) => `Replaced "${name}".`,
    notAPicture: (name) => `"${name}" does not read as a picture.`,
    readOnly: (name) => `"${name}" (read-only: saving downloads the file)`,
    opened: (name) => `"${name}"`,
    newStory: 'New story (saving asks for a folder)',
    noStory: 'This folder holds neither story.txt nor dat/story.txt.',
    checking: 'Checking…',
    refused: 'Not saved: some characters have no Shift-JIS form.',
    unsaveable: (n) => `${n} ${n === 1 ? 'character' : 'characters'} that cannot be saved (not counted above)`,
    saveFailed: (why) => `Could not save (${why}); the file is as it was.`,
    unsaved: 'There are unsaved changes.',
    publish: 'Publish',
    publishHeading: 'Publish the story as a web site',
    publishTitle: "The page's title (empty: the game's)",
    publishAs: 'Write to',
    publishZip: 'a zip file (uploads to a game host as it is)',
    publishFolder: 'a folder (an earlier publish there is replaced; other files stay)',
    publishGo: 'Publish',
    publishAnyway: 'Publish',
    publishErrors: (n) => `The check found ${n} ${n === 1 ? 'error' : 'errors'}. Publish anyway?`,
    publishing: 'Preparing the site…',
    published: (name) => `Published to "${name}".`,
    publishFailed: (why) => `Could not publish (${why}).`,
    publishReplaces: (name, list) => `"${name}" holds files that no earlier publish wrote as they are, which the new site would replace: ${list}. Replace them?`,
    publishReplace: 'Replace',
    notPublished: 'Not published.',
    newStoryReplaces: (name, list) => `"${name}" already holds a story's files, which the new story would replace: ${list}. Replace them?`,
    holdsStory: (name) => `"${name}" is the story's folder, holds it or lies in it: publish the site into another folder (nothing was written).`,
    pickFace: 'Choose the font the site\'s characters are cut from: IPA P Gothic (ipagp.ttf), no other.',
    zipSaved: (name) => `Downloaded "${name}".`,
  },
};

export function pageLanguage(search = location.search, languages = navigator.languages) {
  const asked = new URLSearchParams(search).get('lang');
  if (asked === 'en' || asked === 'ja') return asked;
  return (languages || []).some((l) => l.startsWith('ja')) || !(languages || []).length ? 'ja' : 'en';
}

export function textsFor(language) {
  return TEXTS[language] || TEXTS.ja;
}

// Puts the texts into the elements that name theirs with data-text.
export function applyTexts(doc, texts, language) {
  doc.documentElement.lang = language;
  doc.title = texts.title;
  doc.getElementById('studio-title').textContent = texts.title;
  for (const element of doc.querySelectorAll('[data-text]')) {
    element.textContent = texts[element.dataset.text];
  }
}
