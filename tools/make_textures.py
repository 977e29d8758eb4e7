#!/usr/bin/env python3
"""Draws the example effects' textures into editor/examples/textures/, as RGBA PNGs.

fire_flipbook.png  4 x 4 frames of 64 x 64: a flame that rises, flickers and breaks up over its life.
spark.png          64 x 16: a hot streak pointing along +x (drawn aligned to the particle's velocity).
smoke.png          2 x 2 frames of 64 x 64: four soft puffs, one chosen at random per particle.
flare.png          32 x 32: a firework spark's glow, a hot core with a faint cross of rays.
drop.png           32 x 16: a raindrop along +x (stretched along the drop's motion), bright at its head.
sparkle.png        32 x 32: a four-pointed star for magic swirls.

Everything is computed here from seeded noise (no outside art), so a run always writes the same files.
Needs Pillow (Debian's python3-pil) for the PNG encoding.
"""
import math
import os
import random

from PIL import Image

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "editor", "examples", "textures")


class ValueNoise:
    """Smoothly interpolated random values on an integer lattice, wrapping every `period` cells."""

    def __init__(self, seed, period=64):
        rng = random.Random(seed)
        self.period = period
        self.values = [rng.random() for _ in range(period * period)]

    def _at(self, ix, iy):
        p = self.period
        return self.values[(iy % p) * p + (ix % p)]

    def sample(self, x, y):
        ix, iy = math.floor(x), math.floor(y)
        fx, fy = x - ix, y - iy
        sx, sy = fx * fx * (3 - 2 * fx), fy * fy * (3 - 2 * fy)
        top = self._at(ix, iy) + (self._at(ix + 1, iy) - self._at(ix, iy)) * sx
        bottom = self._at(ix, iy + 1) + (self._at(ix + 1, iy + 1) - self._at(ix, iy + 1)) * sx
        return top + (bottom - top) * sy

    def fbm(self, x, y, octaves=4):
        total, amplitude, norm = 0.0, 1.0, 0.0
        for _ in range(octaves):
            total += self.sample(x, y) * amplitude
            norm += amplitude
            x, y, amplitude = x * 2.0, y * 2.0, amplitude * 0.5
        return total / norm


def smoothstep(edge0, edge1, x):
    t = min(1.0, max(0.0, (x - edge0) / (edge1 - edge0)))
    return t * t * (3 - 2 * t)


def lerp_colour(stops, t):
    """Colour at t in [0, 1] along (position, (r, g, b)) stops."""
    t = min(1.0, max(0.0, t))
    for (p0, c0), (p1, c1) in zip(stops, stops[1:]):
        if t <= p1:
            f = (t - p0) / (p1 - p0) if p1 > p0 else 0.0
            return tuple(c0[i] + (c1[i] - c0[i]) * f for i in range(3))
    return stops[-1][1]


def to_byte(value):
    return max(0, min(255, int(round(value))))


FLAME_COLOURS = [(0.0, (120, 20, 5)), (0.35, (230, 70, 10)), (0.65, (255, 160, 40)), (1.0, (255, 245, 200))]


def shaded(width, height, texel):
    """An image whose every pixel is texel(px, py): an RGBA tuple, or None to leave it transparent."""
    image = Image.new("RGBA", (width, height))
    pixels = image.load()
    for py in range(height):
        for px in range(width):
            value = texel(px, py)
            if value is not None:
                pixels[px, py] = value
    return image


def flame_frame(noise, frame, frames, size):
    """One frame: a teardrop of heat, taller and more broken up as the frame index (the flame's age) grows."""
    age = frame / (frames - 1)
    height = 0.75 + 0.2 * age
    width = 0.5 - 0.15 * age

    def texel(px, py):
        # u across (-1..1), v up from the base (0 at the bottom, 1 at the top).
        u = (px + 0.5) / size * 2 - 1
        v = 1 - (py + 0.5) / size
        turbulence = noise.fbm(px / 12.0, (py / 12.0) + frame * 1.7) - 0.5
        u += turbulence * (0.25 + 0.5 * v)
        # Narrows towards the tip; the base is round.
        half_width = width * (1 - smoothstep(0.0, height, v) ** 1.5) + 0.02
        d = abs(u) / half_width + max(0.0, 0.12 - v) * 6
        heat = (1 - smoothstep(0.1, 1.0, d)) * (1 - smoothstep(height * 0.6, height, v))
        heat *= 1 - 0.6 * age * noise.fbm(px / 6.0 + 40, py / 6.0 + frame * 2.3)
        if heat <= 0.003:
            return None
        r, g, b = lerp_colour(FLAME_COLOURS, heat * (1.15 - 0.4 * age))
        return (to_byte(r), to_byte(g), to_byte(b), to_byte(255 * min(1.0, heat * 1.6)))

    return shaded(size, size, texel)


def fire_flipbook():
    size, columns, rows = 64, 4, 4
    noise = ValueNoise(seed=7)
    sheet = Image.new("RGBA", (size * columns, size * rows))
    for frame in range(columns * rows):
        sheet.paste(flame_frame(noise, frame, columns * rows, size), ((frame % columns) * size, (frame // columns) * size))
    return sheet


def spark():
    width, height = 64, 16

    def texel(px, py):
        x = (px + 0.5) / width  # 0 at the tail, 1 at the head
        y = ((py + 0.5) / height) * 2 - 1
        along = smoothstep(0.0, 0.85, x) * (1 - smoothstep(0.9, 1.0, x))
        across = math.exp(-(y * y) / (2 * (0.12 + 0.18 * (1 - x)) ** 2))
        glow = along * across
        if glow <= 0.003:
            return None
        r, g, b = lerp_colour([(0.0, (255, 120, 20)), (0.6, (255, 210, 90)), (1.0, (255, 255, 235))], glow)
        return (to_byte(r), to_byte(g), to_byte(b), to_byte(255 * glow))

    return shaded(width, height, texel)


def smoke_puff(noise, size):
    def texel(px, py):
        dx = (px + 0.5) / size * 2 - 1
        dy = (py + 0.5) / size * 2 - 1
        billow = noise.fbm(px / 14.0, py / 14.0, octaves=3)
        r = math.hypot(dx, dy) + (billow - 0.5) * 0.5
        density = (1 - smoothstep(0.35, 0.95, r)) * (0.55 + 0.45 * billow)
        # Nothing reaches the frame's border, so no square edge shows when the puff turns.
        density *= 1 - smoothstep(0.75, 0.97, max(abs(dx), abs(dy)))
        if density <= 0.003:
            return None
        shade = 200 + 55 * (billow - 0.5) - 30 * dy
        return (to_byte(shade), to_byte(shade), to_byte(shade), to_byte(220 * density))

    return shaded(size, size, texel)


def smoke():
    size, columns, rows = 64, 2, 2
    sheet = Image.new("RGBA", (size * columns, size * rows))
    for variant in range(columns * rows):
        puff = smoke_puff(ValueNoise(seed=100 + variant), size)
        sheet.paste(puff, ((variant % columns) * size, (variant // columns) * size))
    return sheet


def flare():
    size = 32

    def texel(px, py):
        dx = (px + 0.5) / size * 2 - 1
        dy = (py + 0.5) / size * 2 - 1
        r = math.hypot(dx, dy)
        core = math.exp(-r * r * 9)
        rays = math.exp(-abs(dx) * 18) + math.exp(-abs(dy) * 18)
        glow = min(1.0, core + 0.35 * rays * (1 - smoothstep(0.4, 1.0, r)))
        glow *= 1 - smoothstep(0.85, 1.0, r)
        white = 255 * core
        return (255, to_byte(200 + 55 * core), to_byte(150 + white * 0.4), to_byte(255 * glow))

    return shaded(size, size, texel)


def drop():
    width, height = 32, 16

    def texel(px, py):
        along = (px + 0.5) / width  # 0 tail, 1 head
        across = abs((py + 0.5) / height * 2 - 1)
        thickness = 0.25 + 0.55 * smoothstep(0.0, 0.85, along) * (1 - smoothstep(0.9, 1.0, along))
        alpha = (1 - smoothstep(thickness * 0.5, thickness, across)) * (0.25 + 0.75 * along)
        alpha *= 1 - smoothstep(0.93, 1.0, along)
        return (to_byte(180 + 60 * along), to_byte(205 + 40 * along), 255, to_byte(230 * alpha))

    return shaded(width, height, texel)


def sparkle():
    size = 32

    def texel(px, py):
        dx = abs((px + 0.5) / size * 2 - 1)
        dy = abs((py + 0.5) / size * 2 - 1)
        r = math.hypot(dx, dy)
        # Four points: thin along the axes, a round glow in the middle.
        star = max(0.0, 1 - (dx * dy * 40 + r * 0.9)) if r < 1 else 0.0
        glow = math.exp(-r * r * 14)
        alpha = min(1.0, star + glow)
        return (to_byte(200 + 55 * glow), to_byte(220 + 35 * glow), 255, to_byte(255 * alpha))

    return shaded(size, size, texel)


def main():
    os.makedirs(OUT, exist_ok=True)
    for name, draw in (("fire_flipbook.png", fire_flipbook), ("spark.png", spark), ("smoke.png", smoke),
                       ("flare.png", flare), ("drop.png", drop), ("sparkle.png", sparkle)):
        path = os.path.join(OUT, name)
        draw().save(path, optimize=True)
        print("wrote", os.path.relpath(path))


if __name__ == "__main__":
    main()
