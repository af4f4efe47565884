// Exports what the shallow-water model of the stream atlas needs from the
// tide database into tools/datagen/streams/tide_forcing.txt:
//
//  - the harmonic constants of the stations that force the open boundaries
//    (ticon/swanage_pier-swp-gbr-cco and ticon/bournemouth-bou-gbr-bodc to
//    the west, ticon/arunplatformtg-aru-gbr-cmems to the east), of the
//    reference port (ticon/portsmouth-ptm-gbr-bodc) and of the stations the
//    model is checked against besides the port (south of the island, in the
//    western strait, at the head of the estuary);
//  - the two tides the atlas is sampled on: of the reference port's high
//    waters in the 2016 sailing season, the spring high water (largest range
//    of its spring-neap cycle) whose range is nearest the mean spring range,
//    and the neap high water (least range of its cycle) nearest the mean neap
//    range (both ranges as the tide table's header gives them,
//    datasets/TIDESINI);
//  - for each of them the astronomical arguments (V0 at the high water plus
//    the nodal phase u, and the nodal factor f, IHO corrections as
//    @neaps/tide-predictor applies them), so that the model evaluates
//    h(t) = sum f A cos(speed t + V0 + u - g) itself, with t in hours from
//    the high water;
//  - the predicted curve of the reference port around each high water, one
//    value a minute, that the model's water level is calibrated against.
//
// High waters are found as the tide table generator finds them: every turning
// point of the minute-by-minute curve, then the stand rule (pairs of
// neighbouring turning points less than 0.3 m apart are merged away).
//
// Usage: node export_tides.mjs <repository root>
// The output depends only on the pinned package versions.

import fs from "node:fs";
import path from "node:path";
import { stationsById } from "@neaps/tide-database";
import { astro, constituents, useStation } from "@neaps/tide-predictor";

const kPortId = "ticon/portsmouth-ptm-gbr-bodc";
const kBoundaryIds = [
  "ticon/swanage_pier-swp-gbr-cco",
  "ticon/bournemouth-bou-gbr-bodc",
  "ticon/arunplatformtg-aru-gbr-cmems",
];
// Stations inside the model whose M2 the calibration report compares with
// the model's: they show where the modelled tide departs from the real one.
const kCheckIds = [
  "ticon/sandown_pier-sdp-gbr-cco",
  "ticon/lymington-lym-gbr-cco",
  "ticon/southampton-sou-gbr-da_idh",
];
// Short-period constituents that force the model: the semidiurnal and
// diurnal groups (springs and neaps, the diurnal inequality) and the
// quarter- and sixth-diurnal shallow-water constituents that distort the
// curve into the stands of the area. The long-period ones only move the mean
// level and are left out.
const kConstituents = [
  "M2", "S2", "N2", "K2", "2N2", "MU2", "NU2", "L2", "T2", "LAMBDA2", "2SM2",
  "K1", "O1", "P1", "Q1",
  "M4", "MS4", "MN4", "N4", "S4",
  "M6", "2MS6",
];
// The season in which the two sampled tides are looked for.
const kSeasonFrom = Date.UTC(2016, 3, 1);
const kSeasonTo = Date.UTC(2016, 9, 1);
// Predicted curve written around each sampled high water (minutes).
const kCurveFromMinute = -8 * 60;
const kCurveMinutes = 16 * 60 + 1;

const kMinuteMs = 60 * 1000;
const kHourMs = 60 * kMinuteMs;
const kMinTideSwing = 0.3;

function fail(message) {
  console.error(`export_tides: ${message}`);
  process.exit(1);
}

function iso(ms) {
  return new Date(ms).toISOString().slice(0, 16).replace("T", " ");
}

function sampleCurve(station, startMs, minutes) {
  const timeline = station.getTimelinePrediction({
    start: new Date(startMs),
    end: new Date(startMs + minutes * kMinuteMs),
    timeFidelity: 60,
  }).timeline;
  if (timeline.length < minutes || timeline[0].time.getTime() !== startMs) {
    fail(`prediction run at ${iso(startMs)} did not give ${minutes} minutes`);
  }
  return timeline.slice(0, minutes).map((p) => p.level);
}

// Turning points in runs of 24 hours every 12 hours, kept in each run's
// middle 12 hours, then the stand rule; as the tide table generator does.
function findTides(station, fromMs, toMs) {
  const points = [];
  for (let runMs = fromMs - 6 * kHourMs; runMs < toMs; runMs += 12 * kHourMs) {
    const h = sampleCurve(station, runMs, 24 * 60);
    for (let i = 6 * 60; i < 18 * 60; i++) {
      const a = h[i - 1], b = h[i], c = h[i + 1];
      const isMax = b > a && b >= c;
      const isMin = b < a && b <= c;
      if (!isMax && !isMin) continue;
      const den = a - 2 * b + c;
      const x = den !== 0 ? (0.5 * (a - c)) / den : 0;
      points.push({ ms: runMs + (i + x) * kMinuteMs, level: b - 0.25 * (a - c) * x, high: isMax });
    }
  }
  const tides = points.slice();
  for (;;) {
    let best = -1;
    let bestSwing = kMinTideSwing;
    for (let i = 1; i < tides.length; i++) {
      const swing = Math.abs(tides[i].level - tides[i - 1].level);
      if (swing < bestSwing) {
        bestSwing = swing;
        best = i;
      }
    }
    if (best < 0) break;
    tides.splice(best - 1, 2);
  }
  return tides;
}

function readMeanRanges(root) {
  const text = fs.readFileSync(path.join(root, "datasets", "TIDESINI"), "utf8");
  const value = (key) => {
    const line = text.split("\n").find((l) => l.startsWith(key + "="));
    if (!line) fail(`TIDESINI has no ${key}`);
    return Number(line.slice(key.length + 1).replace(",", "."));
  };
  return { springs: value("MEANHIGH"), neaps: value("MEANLOW") };
}

// The semidiurnal tides: every high water of the season with its range (its
// height minus the mean of the low waters before and after it).
function highWaterRanges(tides) {
  const list = [];
  for (let i = 1; i + 1 < tides.length; i++) {
    const t = tides[i];
    if (!t.high || tides[i - 1].high || tides[i + 1].high) continue;
    list.push({ ...t, range: t.level - (tides[i - 1].level + tides[i + 1].level) / 2 });
  }
  return list;
}

// The high water nearest `range` among the turning points of the
// spring-neap cycle: with `springs` the high waters of largest range within
// kCycleHalfWidth either side, else those of least range. A mean spring tide
// is a spring tide of mean range, not any high water of that range: on the
// days before a large spring the range reaches the mean while the solar tide
// still runs a quarter cycle behind the lunar one, and the streams of such a
// day are not those of springs.
const kCycleHalfWidth = 4 * 24 * kHourMs;
function nearestRange(highWaters, range, springs) {
  let best = null;
  for (const t of highWaters) {
    if (t.ms < kSeasonFrom || t.ms >= kSeasonTo) continue;
    const extreme = highWaters.every(
      (o) => Math.abs(o.ms - t.ms) > kCycleHalfWidth || (springs ? o.range <= t.range : o.range >= t.range),
    );
    if (!extreme) continue;
    if (!best || Math.abs(t.range - range) < Math.abs(best.range - range)) best = t;
  }
  if (!best) fail(`no ${springs ? "spring" : "neap"} high water in the season`);
  return best;
}

function main() {
  const root = process.argv[2];
  if (!root) fail("usage: node export_tides.mjs <repository root>");
  const records = [kPortId, ...kBoundaryIds, ...kCheckIds].map((id) => {
    const r = stationsById.get(id);
    if (!r) fail(`station ${id} not in the database`);
    if (r.chart_datum !== "LAT") fail(`station ${id} chart datum is ${r.chart_datum}`);
    return r;
  });
  const port = records[0];
  const portStation = useStation(port);
  const mslAboveLat = port.datums.MSL - port.datums.LAT;

  const ranges = readMeanRanges(root);
  const tides = findTides(portStation, kSeasonFrom - 2 * 24 * kHourMs, kSeasonTo + 2 * 24 * kHourMs);
  const highWaters = highWaterRanges(tides);
  const runs = [
    { name: "spring", ...nearestRange(highWaters, ranges.springs, true) },
    { name: "neap", ...nearestRange(highWaters, ranges.neaps, false) },
  ];

  const lines = [
    "# Tidal forcing and calibration targets of the stream model.",
    "# Written by tools/datagen/streams/export_tides.mjs from @neaps/tide-database",
    "# and @neaps/tide-predictor (versions pinned in package.json); do not edit.",
    "# port <id> <lat deg> <lon deg> <mean sea level above LAT m>",
    "# station <id> <lat deg> <lon deg>",
    "# check <station id>: a station inside the model whose M2 the report compares with the model's",
    "# speed <constituent> <deg per hour>",
    "# constant <station id> <constituent> <amplitude m> <phase lag g deg>",
    "# run <name> <high water ms since 1970 GMT> <high water GMT> <height above LAT m> <range m>",
    "# argument <run> <constituent> <nodal factor f> <V0 + u at the high water, deg>",
    "# hw <run> <ms> <height above LAT m>: predicted high waters within 14 h of the run's high water",
    "# curve <run> <first minute relative to the high water> <values, mm above LAT, one a minute>",
    `port ${kPortId} ${port.latitude} ${port.longitude} ${mslAboveLat.toFixed(4)}`,
  ];
  for (const r of records.slice(1)) lines.push(`station ${r.id} ${r.latitude} ${r.longitude}`);
  for (const id of kCheckIds) lines.push(`check ${id}`);
  for (const name of kConstituents) {
    if (!constituents[name]) fail(`constituent ${name} unknown to the predictor`);
    lines.push(`speed ${name} ${constituents[name].speed.toFixed(7)}`);
  }
  for (const r of records) {
    const byName = Object.fromEntries(r.harmonic_constituents.map((c) => [c.name, c]));
    for (const name of kConstituents) {
      const c = byName[name];
      const amplitude = c ? c.amplitude : 0;
      const phase = c ? c.phase : 0;
      lines.push(`constant ${r.id} ${name} ${amplitude.toFixed(5)} ${phase.toFixed(3)}`);
    }
  }
  for (const run of runs) {
    const hwMs = Math.round(run.ms / kMinuteMs) * kMinuteMs;
    lines.push(`run ${run.name} ${hwMs} ${iso(hwMs).replace(" ", "T")} ${run.level.toFixed(3)} ${run.range.toFixed(3)}`);
    const a = astro(new Date(hwMs));
    for (const name of kConstituents) {
      const model = constituents[name];
      const correction = model.correction(a);
      const phase = (((model.value(a) + correction.u) % 360) + 360) % 360;
      lines.push(`argument ${run.name} ${name} ${correction.f.toFixed(6)} ${phase.toFixed(4)}`);
    }
    for (const t of tides) {
      if (t.high && Math.abs(t.ms - hwMs) < 14 * kHourMs) {
        lines.push(`hw ${run.name} ${Math.round(t.ms / kMinuteMs) * kMinuteMs} ${t.level.toFixed(3)}`);
      }
    }
    const curve = sampleCurve(portStation, hwMs + kCurveFromMinute * kMinuteMs, kCurveMinutes);
    lines.push(`curve ${run.name} ${kCurveFromMinute} ${curve.map((v) => Math.round(v * 1000)).join(" ")}`);
    console.log(`${run.name}: high water ${iso(hwMs)} GMT, ${run.level.toFixed(2)} m, range ${run.range.toFixed(2)} m`);
  }
  fs.writeFileSync(path.join(root, "tools", "datagen", "streams", "tide_forcing.txt"), lines.join("\n") + "\n");
}

main();
