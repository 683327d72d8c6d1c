// The print service's status page. Everything from the server is put in
// with textContent: job titles and messages come from other systems.
"use strict";

const TEXTS = {
  zh: {
    title: "Quorvane 打印服务", switchTo: "English", token: "访问令牌：", connect: "连接",
    badToken: "令牌无效，请重新输入。", unreachable: "无法连接服务器：", updated: "更新于 ",
    queueDepth: "排队", printing: "打印中", done: "已完成", failed: "失败",
    recentJobs: "最近的作业", noJobs: "还没有作业。", id: "编号", jobTitle: "标题", state: "状态",
    labels: "标签", accepted: "接收时间", message: "说明", retry: "重试",
    retried: "作业 {0} 已重新排队，新作业编号 {1}。", retryFailed: "作业 {0} 无法重试：",
    printers: "打印机", noPrinters: "没有打印机。", name: "名称", accepting: "接受作业",
    yes: "是", no: "否", isDefault: "（默认）",
    state_queued: "排队中", state_printing: "打印中", state_done: "已完成", state_failed: "失败",
    state_cancelled: "已取消", state_idle: "空闲", state_stopped: "已停止",
  },
  en: {
    title: "Quorvane print service", switchTo: "中文", token: "Access token:", connect: "Connect",
    badToken: "The token is not valid; enter it again.", unreachable: "Cannot reach the server: ", updated: "Updated ",
    queueDepth: "Queued", printing: "Printing", done: "Done", failed: "Failed",
    recentJobs: "Recent jobs", noJobs: "No jobs yet.", id: "ID", jobTitle: "Title", state: "State",
    labels: "Labels", accepted: "Accepted", message: "Message", retry: "Retry",
    retried: "Job {0} is queued again as job {1}.", retryFailed: "Job {0} cannot be retried: ",
    printers: "Printers", noPrinters: "No printers.", name: "Name", accepting: "Accepting jobs",
    yes: "yes", no: "no", isDefault: " (default)",
    state_queued: "Queued", state_printing: "Printing", state_done: "Done", state_failed: "Failed",
    state_cancelled: "Cancelled", state_idle: "Idle", state_stopped: "Stopped",
  },
};
const LANG_KEY = "quorvane.lang", TOKEN_KEY = "quorvane.token", REFRESH_MS = 3000;

// ?lang=en or ?lang=zh chooses and is remembered; otherwise the last choice, Chinese at first.
function initialLanguage() {
  const asked = new URLSearchParams(location.search).get("lang");
  if (asked in TEXTS) {
    localStorage.setItem(LANG_KEY, asked);
    return asked;
  }
  const kept = localStorage.getItem(LANG_KEY);
  return kept in TEXTS ? kept : "zh";
}

let lang = initialLanguage();
let lastData = null;
let timer = null;

function t(key, ...args) {
  const s = TEXTS[lang][key] ?? key;
  return s.replace(/\{(\d)\}/g, (_, i) => String(args[Number(i)]));
}

function $(id) { return document.getElementById(id); }

function el(tag, text, className) {
  const e = document.createElement(tag);
  if (text !== undefined && text !== null) e.textContent = String(text);
  if (className) e.className = className;
  return e;
}

function applyLanguage() {
  document.documentElement.lang = lang === "zh" ? "zh-CN" : "en";
  document.title = t("title");
  for (const e of document.querySelectorAll("[data-text]")) e.textContent = t(e.dataset.text);
  $("lang").textContent = TEXTS[lang].switchTo;
  if (lastData) render(lastData);
}

// The fragment (#token=...) never reaches the server; it is dropped from the
// address bar once read.
function takeTokenFromFragment() {
  const m = /(?:^#|&)token=([^&]*)/.exec(location.hash);
  if (!m) return;
  sessionStorage.setItem(TOKEN_KEY, decodeURIComponent(m[1]));
  history.replaceState(null, "", location.pathname + location.search);
}

class Unauthorized extends Error {}

async function call(path, method) {
  const token = sessionStorage.getItem(TOKEN_KEY);
  if (!token) throw new Unauthorized();
  const r = await fetch(path, { method: method || "GET", headers: { Authorization: "Bearer " + token }, cache: "no-store" });
  if (r.status === 401) throw new Unauthorized();
  const isJson = (r.headers.get("Content-Type") || "").startsWith("application/json");
  const body = isJson ? await r.json() : await r.text();
  if (!r.ok) throw new Error((isJson && body.error) || r.status + " " + r.statusText);
  return body;
}

function metricValue(text, name) {
  const m = new RegExp("^" + name.replace(/[{}"]/g, "\\$&") + " (\\S+)$", "m").exec(text);
  return m ? Number(m[1]) : null;
}

function formatTime(iso) {
  if (!iso) return "";
  const d = new Date(iso), p = (n) => String(n).padStart(2, "0");
  return `${d.getFullYear()}-${p(d.getMonth() + 1)}-${p(d.getDate())} ${p(d.getHours())}:${p(d.getMinutes())}:${p(d.getSeconds())}`;
}

function stateCell(state) {
  const td = el("td");
  const span = el("span", t("state_" + state), "state state-" + state);
  span.dataset.state = state;
  td.append(span);
  return td;
}

function render(data) {
  $("queue-depth").textContent = data.queued ?? "–";
  $("count-printing").textContent = data.printing ?? "–";
  $("count-done").textContent = data.done ?? "–";
  $("count-failed").textContent = data.failed ?? "–";
  const jobs = $("jobs").tBodies[0];
  jobs.replaceChildren();
  for (const job of data.jobs) {
    const tr = el("tr");
    tr.id = "job-" + job.id;
    tr.dataset.state = job.state;
    tr.append(el("td", job.id, "num"), el("td", job.title), stateCell(job.state),
              el("td", `${job.labels_printed} / ${job.labels_total}`, "num"),
              el("td", formatTime(job.accepted), "num"), el("td", job.message, "msg"));
    const action = el("td");
    if (job.state === "failed" || job.state === "cancelled") {
      const b = el("button", t("retry"));
      b.type = "button";
      b.className = "retry";
      b.addEventListener("click", () => retry(job.id, b));
      action.append(b);
    }
    tr.append(action);
    jobs.append(tr);
  }
  $("no-jobs").hidden = data.jobs.length > 0;
  const printers = $("printers").tBodies[0];
  printers.replaceChildren();
  for (const p of data.printers) {
    const tr = el("tr");
    tr.append(el("td", p.name + (p.default ? t("isDefault") : "")), stateCell(p.state),
              el("td", p.accepting ? t("yes") : t("no")), el("td", p.message));
    printers.append(tr);
  }
  $("no-printers").hidden = data.printers.length > 0;
  $("updated").textContent = t("updated") + formatTime(data.at);
}

function showNotice(text) {
  $("notice").textContent = text;
  $("notice").hidden = !text;
}

function showLogin(message) {
  clearTimeout(timer);
  $("content").hidden = true;
  $("login").hidden = false;
  $("login-error").textContent = message || "";
  $("token").focus();
}

async function refresh() {
  clearTimeout(timer);
  try {
    const [metrics, jobs, printers] = await Promise.all([
      call("/metrics"), call("/v1/jobs?limit=50"), call("/v1/printers")]);
    const count = (s) => metricValue(metrics, `quorvane_jobs{state="${s}"}`);
    lastData = {
      queued: metricValue(metrics, "quorvane_queue_depth"), printing: count("printing"),
      done: count("done"), failed: count("failed"),
      jobs: jobs.jobs, printers: printers.printers, at: new Date().toISOString(),
    };
    $("login").hidden = true;
    $("content").hidden = false;
    render(lastData);
    if ($("notice").dataset.kind === "unreachable") showNotice("");
  } catch (e) {
    if (e instanceof Unauthorized) {
      const had = sessionStorage.getItem(TOKEN_KEY);
      sessionStorage.removeItem(TOKEN_KEY);
      showLogin(had ? t("badToken") : "");
      return;
    }
    $("notice").dataset.kind = "unreachable";
    showNotice(t("unreachable") + e.message);
  }
  timer = setTimeout(refresh, REFRESH_MS);
}

async function retry(id, button) {
  button.disabled = true;
  try {
    const r = await call(`/v1/jobs/${id}/retry`, "POST");
    $("notice").dataset.kind = "retry";
    showNotice(t("retried", id, r.id));
  } catch (e) {
    if (e instanceof Unauthorized) return showLogin(t("badToken"));
    $("notice").dataset.kind = "retry";
    showNotice(t("retryFailed", id) + e.message);
  }
  refresh();
}

document.addEventListener("DOMContentLoaded", () => {
  takeTokenFromFragment();
  $("lang").addEventListener("click", () => {
    lang = lang === "zh" ? "en" : "zh";
    localStorage.setItem(LANG_KEY, lang);
    applyLanguage();
  });
  $("login").addEventListener("submit", (ev) => {
    ev.preventDefault();
    const token = $("token").value.trim();
    if (!token) return;
    sessionStorage.setItem(TOKEN_KEY, token);
    $("token").value = "";
    refresh();
  });
  applyLanguage();
  refresh();
});
