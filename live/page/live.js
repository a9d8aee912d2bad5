// Vantro live results. Every text from the event goes into the page as text (textContent), never
// as markup. The state comes pushed over a WebSocket; while that is down the page asks for it every
// few seconds and keeps trying to reconnect.
(function () {
  'use strict';

  var state = null;
  var receivedAt = 0;
  var lastMessageAt = 0;
  var socket = null;
  var retries = 0;
  var reconnectTimer = null;
  var pollTimer = null;
  var rendered = false;
  var chosenClass = null;
  var STALE_MS = 12000; // the server says "alive" every 5 s
  var POLL_MS = 3000;

  try { chosenClass = window.localStorage.getItem('vantro.class'); } catch (e) { chosenClass = null; }

  // The program's language: the server hands the texts over by their German wording; none in German.
  var TEXTS = {};
  try { TEXTS = JSON.parse(document.documentElement.getAttribute('data-texts') || '{}'); } catch (e) { TEXTS = {}; }
  function t(text) {
    var s = Object.prototype.hasOwnProperty.call(TEXTS, text) ? TEXTS[text] : text;
    for (var i = 1; i < arguments.length; ++i) {
      var arg = String(arguments[i]);
      s = s.replace('%' + i, function () { return arg; });
    }
    return s;
  }

  function $(id) { return document.getElementById(id); }

  function el(tag, className, text) {
    var e = document.createElement(tag);
    if (className) e.className = className;
    if (text !== undefined && text !== null) e.textContent = String(text);
    return e;
  }

  function clear(node) {
    while (node.firstChild) node.removeChild(node.firstChild);
  }

  // Milliseconds as German seconds, cut to the resolution, as the program shows them.
  function formatTime(ms, resolution) {
    if (ms < 0) ms = 0;
    var whole = Math.floor(ms / 1000);
    var rest = Math.floor(ms % 1000);
    if (resolution >= 2) return whole + ',' + String(Math.floor(rest / 10)).padStart(2, '0');
    if (resolution === 1) return whole + ',' + Math.floor(rest / 100);
    return String(whole);
  }

  function setStatus(live) {
    var s = $('status');
    s.className = 'status ' + (live ? 'on' : 'off');
    s.textContent = live ? t('Live') : t('Keine Verbindung – verbinde neu …');
  }

  function renderEvent() {
    var ev = state.event || {};
    $('event').textContent = ev.name || t('Live-Ergebnisse');
    document.title = (ev.name ? ev.name + ' – ' : '') + t('Live-Ergebnisse');
    var parts = [];
    if (ev.date) {
      var d = ev.date.split('-');
      parts.push(d.length === 3 ? d[2] + '.' + d[1] + '.' + d[0] : ev.date);
    }
    if (ev.place) parts.push(ev.place);
    $('event-info').textContent = parts.join(', ');
  }

  function classLabel(name) { return name ? t('Klasse %1', name) : t('ohne Klasse'); }

  function renderCurrent() {
    var body = $('current-body');
    clear(body);
    var c = state.current || { phase: 'idle' };
    if (c.phase === 'idle') {
      body.appendChild(el('p', 'quiet', t('Gerade ist niemand auf der Strecke.')));
      return;
    }
    var who = el('div', 'who');
    who.appendChild(el('span', 'num', c.startNumber));
    who.appendChild(document.createTextNode(c.name || ''));
    body.appendChild(who);
    body.appendChild(el('div', 'cls', classLabel(c['class'])));
    var clock = el('div', 'clock ' + (c.phase === 'running' ? 'running' : 'final'));
    clock.id = 'clock';
    clock.textContent = c.phase === 'running' ? formatTime(c.elapsedMs, state.resolution) : c.time;
    body.appendChild(clock);
    if (c.phase === 'finished' && c.classPlace > 0)
      body.appendChild(el('div', 'place-now', t('Platz %1 in %2', c.classPlace, classLabel(c['class']))));
  }

  function renderRuns() {
    var list = $('run-list');
    clear(list);
    var runs = state.lastRuns || [];
    if (!runs.length) {
      list.appendChild(el('li', 'quiet', t('Noch keine Läufe.')));
      return;
    }
    runs.forEach(function (r) {
      var li = el('li');
      li.appendChild(el('span', 'num', r.startNumber));
      li.appendChild(el('span', 'name', r.name || ''));
      li.appendChild(el('span', 'res', r.result || r.status || ''));
      var note = el('span', 'note');
      var bits = [classLabel(r['class']), t('%1. Lauf', r.run)];
      if (r.result && r.time && r.penalty) bits.push(r.time);
      note.appendChild(document.createTextNode(bits.join(' · ')));
      if (r.penalty) {
        note.appendChild(document.createTextNode(' '));
        note.appendChild(el('span', 'pen', r.penalty));
      }
      if (r.remark) note.appendChild(document.createTextNode(' (' + r.remark + ')'));
      li.appendChild(note);
      list.appendChild(li);
    });
  }

  function selectedClass() {
    var classes = state.classes || [];
    var names = classes.map(function (c) { return c.name; });
    if (chosenClass !== null && names.indexOf(chosenClass) >= 0) return chosenClass;
    var onTrack = state.current && state.current.phase !== 'idle' ? state.current['class'] : null;
    if (onTrack !== null && onTrack !== undefined && names.indexOf(onTrack) >= 0) return onTrack;
    return names.length ? names[0] : null;
  }

  function renderClasses() {
    var select = $('class-choice');
    var classes = state.classes || [];
    var chosen = selectedClass();
    clear(select);
    classes.forEach(function (c) {
      var o = el('option', null, c.title + ' (' + c.rows.length + ')');
      o.value = c.name;
      if (c.name === chosen) o.selected = true;
      select.appendChild(o);
    });
    var tbody = $('ranking-body');
    clear(tbody);
    var cls = null;
    classes.forEach(function (c) { if (c.name === chosen) cls = c; });
    if (!cls) {
      var tr = el('tr');
      var td = el('td', 'quiet', t('Noch keine Wertung.'));
      td.colSpan = 5;
      tr.appendChild(td);
      tbody.appendChild(tr);
      return;
    }
    var onTrack = state.current && state.current.phase !== 'idle' ? state.current.startNumber : -1;
    cls.rows.forEach(function (r) {
      var tr = el('tr', r.startNumber === onTrack ? 'on-track' : null);
      tr.appendChild(el('td', 'place', r.place > 0 ? r.place + '.' : ''));
      tr.appendChild(el('td', 'num', r.startNumber));
      var name = el('td', 'name', r.name || '');
      if (r.club) name.appendChild(el('span', 'club', r.club));
      tr.appendChild(name);
      tr.appendChild(el('td', 'time res', r.result || ''));
      tr.appendChild(el('td', 'time', r.gap || ''));
      tbody.appendChild(tr);
    });
  }

  function render() {
    renderEvent();
    renderCurrent();
    renderRuns();
    renderClasses();
    if (!rendered) {
      rendered = true;
      // When the first results were on the page, in ms from the start of loading (for measuring).
      document.documentElement.setAttribute('data-first-render-ms', String(Math.round(performance.now())));
    }
  }

  function apply(doc) {
    if (!doc || doc.type !== 'state') return;
    if (state && doc.seq < state.seq) return;
    state = doc;
    receivedAt = performance.now();
    render();
  }

  function tickClock() {
    if (!state || !state.current || state.current.phase !== 'running') return;
    var clock = $('clock');
    if (clock) clock.textContent = formatTime(state.current.elapsedMs + (performance.now() - receivedAt),
                                              state.resolution);
  }

  function poll() {
    var done = false;
    var controller = window.AbortController ? new AbortController() : null;
    var timer = setTimeout(function () { if (controller && !done) controller.abort(); }, POLL_MS);
    fetch('/api/state', { cache: 'no-store', signal: controller ? controller.signal : undefined })
      .then(function (r) { return r.json(); })
      .then(function (doc) { done = true; apply(doc); })
      .catch(function () {})
      .then(function () { clearTimeout(timer); });
  }

  function startPolling() {
    if (pollTimer === null) pollTimer = setInterval(poll, POLL_MS);
  }

  function stopPolling() {
    if (pollTimer !== null) { clearInterval(pollTimer); pollTimer = null; }
  }

  function scheduleReconnect() {
    if (reconnectTimer !== null) return;
    var delay = Math.min(5000, 500 * Math.pow(2, retries++));
    reconnectTimer = setTimeout(function () { reconnectTimer = null; connect(); }, delay);
  }

  function dropSocket() {
    if (!socket) return;
    var s = socket;
    socket = null;
    s.onopen = s.onmessage = s.onclose = s.onerror = null;
    try { s.close(); } catch (e) { /* already gone */ }
    setStatus(false);
    startPolling();
    scheduleReconnect();
  }

  function connect() {
    if (socket) return;
    var url = (location.protocol === 'https:' ? 'wss://' : 'ws://') + location.host + '/ws';
    try {
      socket = new WebSocket(url);
    } catch (e) {
      socket = null;
      startPolling();
      scheduleReconnect();
      return;
    }
    socket.onopen = function () {
      retries = 0;
      lastMessageAt = performance.now();
      stopPolling();
      setStatus(true);
    };
    socket.onmessage = function (e) {
      lastMessageAt = performance.now();
      var doc;
      try { doc = JSON.parse(e.data); } catch (x) { return; }
      if (doc.type === 'alive') {
        if (!state || doc.seq > state.seq) poll(); // a push was missed
        return;
      }
      apply(doc);
    };
    socket.onclose = dropSocket;
    socket.onerror = dropSocket;
  }

  // A connection that went quiet (the laptop's Wi-Fi dropped, the phone slept) is replaced.
  function watchdog() {
    if (socket && socket.readyState === 1 && performance.now() - lastMessageAt > STALE_MS) dropSocket();
  }

  document.addEventListener('DOMContentLoaded', function () {
    $('class-choice').addEventListener('change', function (e) {
      chosenClass = e.target.value;
      try { window.localStorage.setItem('vantro.class', chosenClass); } catch (x) { /* private mode */ }
      if (state) renderClasses();
    });
    document.addEventListener('visibilitychange', function () {
      if (document.visibilityState !== 'visible') return;
      poll();
      watchdog();
      if (!socket) connect();
    });
    // The state comes with the push connection; asked for only if that does not bring it soon.
    connect();
    setTimeout(function () { if (!state) poll(); }, 1500);
    setInterval(tickClock, 47);
    setInterval(watchdog, 2000);
  });
})();
