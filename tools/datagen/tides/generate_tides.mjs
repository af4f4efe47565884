// Generates the built-in tide table of the reference port: datasets/TIDES
// (five-byte high- and low-water records on a fixed grid of 12 months x 31
// days x 4 slots per year) and its key=value header datasets/TIDESINI, and
// the minute-by-minute curve of a set of sample days that the tests compare
// the table with (tests/datagen/tides/curve_samples.csv).
//
// Source: harmonic constants of station ticon/portsmouth-ptm-gbr-bodc from
// @neaps/tide-database (TICON-4 compilation, 50 constituents including the
// shallow-water ones), predicted with @neaps/tide-predictor (harmonic
// prediction h(t) = Z0 + sum f A cos(V + u - g) with IHO nodal corrections
// f, u). Heights are metres above the station's chart datum (LAT), times GMT.
//
// Usage: node generate_tides.mjs <repository root>
// The output depends only on the pinned package versions: running it twice
// gives the same bytes.

import fs from "node:fs";
import path from "node:path";
import { stationsById } from "@neaps/tide-database";
import { astro, constituents, useStation } from "@neaps/tide-predictor";

const kStationId = "ticon/portsmouth-ptm-gbr-bodc";
const kFirstYear = 2016;
const kLastYear = 2040;
const kPortName = "Portquarne";  // the reference port's name shown to the user

const kMinuteMs = 60 * 1000;
const kHourMs = 60 * kMinuteMs;
const kDayMs = 24 * kHourMs;

// Record grid: 12 months x 31 days x 4 slots per year, whatever the month's
// true length; a day's tides fill its slots from slot 1 on.
const kSlotsPerDay = 4;
const kRecordsPerYear = 12 * 31 * kSlotsPerDay;
const kRecordBytes = 5;
const kGaugeLow = 1;
const kGaugeHigh = 2;

// Stand rule. The reference port's curve has a double high water or a long
// stand on many days, and shallow-water wiggles of a few centimetres in some
// troughs. Every turning point of the curve is found first; then, as long as
// two neighbouring turning points differ by less than kMinTideSwing, the pair
// with the smallest difference is removed. Removing the pair with the smaller
// difference always drops the lower of two peaks (or the higher of two
// troughs), so one high water per stand remains, at the stand's highest point,
// and one low water per trough, at its lowest point; high and low waters keep
// alternating. Over 2016-2040 the wiggles are all below 0.07 m and every real
// tide has a range above 1 m: the generator stops if any difference falls
// between kWiggleMax and kTideMin, where the line would be a judgement call.
const kMinTideSwing = 0.3;
const kWiggleMax = 0.15;
const kTideMin = 0.8;

// The curve is sampled every minute in prediction runs of 24 hours that start
// every 12 hours; the turning points of a run are kept only in its middle 12
// hours. Each run is one smooth function (one set of nodal factors, one
// epoch), so no turning point is made up where two runs meet.
const kRunHours = 24;
const kRunStepHours = 12;
const kRunKeepFromMinute = 6 * 60;
const kRunKeepToMinute = 18 * 60;

function fail(message) {
  console.error(`generate_tides: ${message}`);
  process.exit(1);
}

function isoMinute(ms) {
  return new Date(ms).toISOString().slice(0, 16).replace("T", " ");
}

function dayStart(ms) {
  return Math.floor(ms / kDayMs) * kDayMs;
}

// Heights every minute from startMs for `minutes` samples, from one prediction run.
function sampleCurve(station, startMs, minutes) {
  const timeline = station.getTimelinePrediction({
    start: new Date(startMs),
    end: new Date(startMs + minutes * kMinuteMs),
    timeFidelity: 60,
  }).timeline;
  if (timeline.length < minutes || timeline[0].time.getTime() !== startMs) {
    fail(`prediction run at ${isoMinute(startMs)} did not give ${minutes} minutes`);
  }
  return timeline.slice(0, minutes).map((p) => p.level);
}

// All turning points of the curve between fromMs and toMs, in time order:
// { ms, level, gauge }. A sample higher than the one before and not lower than
// the one after is a maximum (and the mirror for a minimum); the parabola
// through the three samples then gives the time and height between the
// minutes.
function findTurningPoints(station, fromMs, toMs) {
  const points = [];
  for (let runMs = fromMs - kRunKeepFromMinute * kMinuteMs; runMs < toMs; runMs += kRunStepHours * kHourMs) {
    const h = sampleCurve(station, runMs, kRunHours * 60);
    for (let i = kRunKeepFromMinute; i < kRunKeepToMinute; i++) {
      const a = h[i - 1], b = h[i], c = h[i + 1];
      const isMax = b > a && b >= c;
      const isMin = b < a && b <= c;
      if (!isMax && !isMin) continue;
      const den = a - 2 * b + c;
      const x = den !== 0 ? (0.5 * (a - c)) / den : 0;  // vertex offset in minutes, |x| <= 0.5
      points.push({
        ms: runMs + (i + x) * kMinuteMs,
        level: b - 0.25 * (a - c) * x,
        gauge: isMax ? kGaugeHigh : kGaugeLow,
      });
    }
  }
  for (let i = 1; i < points.length; i++) {
    if (points[i].gauge === points[i - 1].gauge) {
      fail(`turning points do not alternate at ${isoMinute(points[i].ms)}`);
    }
  }
  return points;
}

// The stand rule above; returns the tides and the number of turning points merged.
function mergeStands(points) {
  for (let i = 1; i < points.length; i++) {
    const swing = Math.abs(points[i].level - points[i - 1].level);
    if (swing >= kWiggleMax && swing <= kTideMin) {
      fail(`a swing of ${swing.toFixed(3)} m at ${isoMinute(points[i].ms)} is neither a wiggle nor a tide`);
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
  return { tides, merged: points.length - tides.length };
}

// Record number of slot s (1-4) of day d (1-31) of month m (1-12) of year y.
function recordNumber(y, m, d, s) {
  return (y - kFirstYear) * kRecordsPerYear + (m - 1) * 124 + (d - 1) * kSlotsPerDay + (s - 1);
}

// Puts the tides on the record grid. Times are rounded to the minute first and
// a tide belongs to the GMT date of its rounded time. A GMT day can hold five
// tides (a high water just after midnight and another just before the next),
// but a day has four slots: such a day's first tide goes into the previous
// day's free fourth slot, with hour 24 + its hour. The lookup adds hour and
// minute to the record's date, so the time comes out right; the loader takes
// hours 0 to 47 for this reason.
function buildRecords(tides) {
  const byDay = new Map();
  for (const t of tides) {
    const ms = Math.round(t.ms / kMinuteMs) * kMinuteMs;
    const decimetres = Math.round(t.level * 10);
    if (decimetres < 0 || decimetres > 255) fail(`height ${t.level} m at ${isoMinute(ms)} does not fit a record`);
    const day = dayStart(ms);
    if (!byDay.has(day)) byDay.set(day, []);
    byDay.get(day).push({ ms, gauge: t.gauge, decimetres, level: t.level });
  }
  const firstDay = Date.UTC(kFirstYear, 0, 1);
  const lastDay = Date.UTC(kLastYear, 11, 31);
  const fiveTideDays = [];
  const slots = new Map();  // day start -> [{ tide, hourOffset }]
  for (let day = firstDay; day <= lastDay; day += kDayMs) {
    const own = (byDay.get(day) ?? []).map((tide) => ({ tide, hourOffset: 0 }));
    slots.set(day, own);
  }
  for (let day = firstDay; day <= lastDay; day += kDayMs) {
    const own = slots.get(day);
    if (own.length === kSlotsPerDay + 1) {
      const previous = slots.get(day - kDayMs);
      if (!previous || previous.length >= kSlotsPerDay) {
        fail(`${isoMinute(day)} has five tides and the day before has no free slot`);
      }
      previous.push({ tide: own.shift().tide, hourOffset: 24 });
      fiveTideDays.push(day);
    }
  }
  const bytes = Buffer.alloc((kLastYear - kFirstYear + 1) * kRecordsPerYear * kRecordBytes);
  for (let day = firstDay; day <= lastDay; day += kDayMs) {
    const list = slots.get(day);
    if (list.length < 3 || list.length > kSlotsPerDay) fail(`${isoMinute(day)} has ${list.length} tides`);
    const date = new Date(day);
    list.forEach(({ tide, hourOffset }, i) => {
      const t = new Date(tide.ms);
      const n = recordNumber(date.getUTCFullYear(), date.getUTCMonth() + 1, date.getUTCDate(), i + 1);
      const at = n * kRecordBytes;
      bytes[at] = tide.gauge;
      bytes[at + 1] = hourOffset + t.getUTCHours();
      bytes[at + 2] = t.getUTCMinutes();
      bytes[at + 3] = 0;  // sign byte: heights above LAT are never negative here
      bytes[at + 4] = tide.decimetres;
    });
  }
  return { bytes, fiveTideDays };
}

// Phase (degrees, 0-360) of the S2 contribution at the station minus that of
// M2: (V + u - g)S2 - (V + u - g)M2. It is 0 at springs (the two largest
// semidiurnal constituents in phase at the port, the age of the tide
// included through the two phase lags g) and 180 at neaps.
function springPhase(ms, g) {
  const a = astro(new Date(ms));
  const phase = (name) => constituents[name].value(a) + constituents[name].correction(a).u - g[name];
  return (((phase("S2") - phase("M2")) % 360) + 360) % 360;
}

// Instants in [fromMs, toMs) where springPhase passes `target` going up,
// found hourly and refined by bisection to a minute.
function phaseCrossings(g, target, fromMs, toMs) {
  const offset = (ms) => ((springPhase(ms, g) - target + 540) % 360) - 180;  // -180..180
  const result = [];
  let prev = offset(fromMs);
  for (let ms = fromMs + kHourMs; ms < toMs; ms += kHourMs) {
    const cur = offset(ms);
    if (prev < 0 && cur >= 0 && cur - prev < 90) {
      let lo = ms - kHourMs, hi = ms;
      while (hi - lo > kMinuteMs) {
        const mid = (lo + hi) / 2;
        if (offset(mid) < 0) lo = mid; else hi = mid;
      }
      result.push(hi);
    }
    prev = cur;
  }
  return result;
}

// Mean range at a list of instants: at each, the mean of the two high waters
// nearest in time minus the mean of the two nearest low waters (the way the
// mean spring and neap levels MHWS, MLWS, MHWN, MLWN are defined), averaged
// over all instants.
function meanRangeAt(instants, tides) {
  const highs = tides.filter((t) => t.gauge === kGaugeHigh);
  const lows = tides.filter((t) => t.gauge === kGaugeLow);
  const nearestTwoMean = (list, ms) => {
    const sorted = list
      .map((t) => ({ d: Math.abs(t.ms - ms), level: t.level }))
      .sort((x, y) => x.d - y.d);
    return (sorted[0].level + sorted[1].level) / 2;
  };
  let sum = 0;
  for (const ms of instants) sum += nearestTwoMean(highs, ms) - nearestTwoMean(lows, ms);
  return sum / instants.length;
}

function decimalComma(value) {
  return value.toFixed(2).replace(".", ",");
}

function buildHeader(meanSprings, meanNeaps) {
  return [
    "[SETTINGS]",
    `PORT=${kPortName}`,
    `YEAR=${kFirstYear}`,
    `YEARTO=${kLastYear}`,
    "TIMEZONE=0",
    "TIMEZONEOFFSET=0",
    "TIDESREF=2",
    `MEANHIGH=${decimalComma(meanSprings)}`,
    `MEANLOW=${decimalComma(meanNeaps)}`,
    "TIMECHARTS30=1",
    "",
  ].join("\n");
}

// Sample days for the tests: in each month of a few years the first spring
// day (odd months) or the first neap day (even months), then the days that
// show a rule at work. Each is written as heights in millimetres every minute
// from 7 hours before to 31 hours after 00:00 GMT, from a prediction run of its
// own (not the runs the table was taken from), so that the test sees the
// neighbouring days' tides too.
const kSampleYears = [2016, 2019, 2024, 2040];
const kSampleFromMinute = -7 * 60;
const kSampleMinutes = 38 * 60;

function buildCurveSamples(station, springs, neaps, extraDays) {
  const days = new Set(extraDays);
  for (const year of kSampleYears) {
    for (let month = 0; month < 12; month++) {
      const from = Date.UTC(year, month, 1), to = Date.UTC(year, month + 1, 1);
      const list = month % 2 === 0 ? springs : neaps;
      const first = list.find((ms) => ms >= from && ms < to);
      if (first === undefined) fail(`no spring or neap in ${year}-${month + 1}`);
      days.add(dayStart(first));
    }
  }
  const lines = [
    "# Predicted height of the reference port (station ticon/portsmouth-ptm-gbr-bodc,",
    "# @neaps/tide-predictor), millimetres above chart datum, one value a minute.",
    "# Written by tools/datagen/tides/generate_tides.mjs; do not edit.",
    "# date (GMT), minute of the first value relative to 00:00 of that date, values...",
  ];
  for (const day of [...days].sort((a, b) => a - b)) {
    const h = sampleCurve(station, day + kSampleFromMinute * kMinuteMs, kSampleMinutes);
    const date = new Date(day).toISOString().slice(0, 10);
    lines.push([date, kSampleFromMinute, ...h.map((v) => Math.round(v * 1000))].join(","));
  }
  return lines.join("\n") + "\n";
}

function main() {
  const root = process.argv[2];
  if (!root) fail("usage: node generate_tides.mjs <repository root>");
  const record = stationsById.get(kStationId);
  if (!record) fail(`station ${kStationId} not in the database`);
  if (record.chart_datum !== "LAT") fail(`station chart datum is ${record.chart_datum}, not LAT`);
  const station = useStation(record);

  // Two days of margin on each side so that the first and last days of the
  // table see whole stands.
  const fromMs = Date.UTC(kFirstYear - 1, 11, 30);
  const toMs = Date.UTC(kLastYear + 1, 0, 3);
  const points = findTurningPoints(station, fromMs, toMs);
  const { tides, merged } = mergeStands(points);
  const { bytes, fiveTideDays } = buildRecords(tides);

  const g = Object.fromEntries(record.harmonic_constituents.map((c) => [c.name, c.phase]));
  const tableFrom = Date.UTC(kFirstYear, 0, 1), tableTo = Date.UTC(kLastYear + 1, 0, 1);
  const springs = phaseCrossings(g, 0, tableFrom, tableTo);
  const neaps = phaseCrossings(g, 180, tableFrom, tableTo);
  const meanSprings = meanRangeAt(springs, tides);
  const meanNeaps = meanRangeAt(neaps, tides);

  const extraDays = [
    Date.UTC(2016, 0, 1), Date.UTC(2016, 1, 29), Date.UTC(2020, 1, 29),
    Date.UTC(2016, 11, 31), Date.UTC(2024, 10, 23), Date.UTC(2040, 11, 31),
    ...fiveTideDays, ...fiveTideDays.map((d) => d - kDayMs),
  ];
  const curve = buildCurveSamples(station, springs, neaps, extraDays);

  fs.writeFileSync(path.join(root, "datasets", "TIDES"), bytes);
  fs.writeFileSync(path.join(root, "datasets", "TIDESINI"), buildHeader(meanSprings, meanNeaps));
  fs.writeFileSync(path.join(root, "tests", "datagen", "tides", "curve_samples.csv"), curve);

  console.log(`${kStationId}: ${points.length} turning points, ${merged} merged by the stand rule`);
  console.log(`mean spring range ${meanSprings.toFixed(3)} m over ${springs.length} springs, ` +
              `mean neap range ${meanNeaps.toFixed(3)} m over ${neaps.length} neaps`);
  console.log(`five-tide days: ${fiveTideDays.map((d) => isoMinute(d).slice(0, 10)).join(", ")}`);
}

main();
