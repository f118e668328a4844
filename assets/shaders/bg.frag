// The ball scene's background, drawn over the 1920 x 1080 "black" sprite whose texture it
// ignores: a night sky over a neon grid floor, with a striped orb setting on the horizon. The
// grid rolls towards the viewer and the orb's gaps slide down, both driven by iTime (seconds).
//
// It runs for every pixel of every frame, on software renderers too, so it stays a straight line
// of arithmetic: no loops, no texture reads, no trigonometry, no square roots, and a bound is
// clamped only where a value can cross it. Colours are kept dark so the bouncing logos stand
// out.
uniform float iTime;
varying vec2 pixel;

const float horizonY = 700.0;
const vec2 orbCentre = vec2(960.0, 610.0);
const float orbRadius = 220.0;

void main() {
    float y = pixel.y;

    // Sky: near black at the top, a violet haze towards the horizon.
    float haze = min(y * (1.0 / horizonY), 1.0);
    haze *= haze;
    vec3 sky = vec3(0.01, 0.01, 0.05) + vec3(0.21, 0.04, 0.22) * haze;

    // The orb, in units of its radius: a soft halo, then the disc, magenta above and amber
    // below, cut by gaps that widen towards the horizon. The squared distance is enough for
    // both edges.
    vec2 d = (pixel - orbCentre) * (1.0 / orbRadius);
    float r2 = dot(d, d);
    sky += vec3(0.066, 0.013, 0.048) * clamp(2.0 - r2, 0.0, 1.0);
    float band = fract(d.y * 6.0 - iTime * 0.25);
    float solid = clamp((band - (d.y + 0.2) * 0.55) * 60.0, 0.0, 1.0);
    float disc = clamp((1.0 - r2) * 110.0, 0.0, 1.0) * solid;
    vec3 orb = vec3(0.52, 0.20, 0.23) + vec3(0.10, 0.20, -0.15) * d.y;
    sky = mix(sky, orb, disc);

    // Floor: a grid seen in perspective. Depth grows as 1 / (distance below the horizon); each
    // line's width is scaled to about one pixel, and the lines fade out before they crowd
    // together at the horizon.
    float below = max(y - horizonY, 1.0);
    float inv = 1.0 / below;
    float across = (pixel.x - 960.0) * 3.0 * inv;
    float depth = 2700.0 * inv + iTime * 1.2;
    float lineAcross = max(1.0 - abs(fract(across + 0.5) - 0.5) * below * 0.25, 0.0);
    float lineDepth = max(1.0 - abs(fract(depth + 0.5) - 0.5) * below * below * 0.00022, 0.0);
    float near = min(below * (1.0 / 260.0), 1.0);
    float grid = max(lineAcross, lineDepth) * near * near;
    vec3 ground = vec3(0.14, 0.03, 0.17) - vec3(0.12, 0.02, 0.12) * near
                + vec3(0.41, 0.12, 0.50) * grid;

    vec3 colour = y < horizonY ? sky : ground;
    // A thin bright horizon line.
    colour += vec3(0.45, 0.18, 0.35) * max(1.0 - abs(y - horizonY) * 0.2, 0.0);
    gl_FragColor = vec4(colour, 1.0);
}
