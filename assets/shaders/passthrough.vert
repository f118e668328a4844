// Draws a sprite unchanged: position, colour and texture coordinates pass straight through.
// The sprite's texture rectangle, in pixels before the texture matrix scales it, also goes to
// the fragment shader as `pixel`, so a shader can paint by position whatever the texture's size
// and wherever the frame is drawn (window or off-screen target).
varying vec2 pixel;

void main() {
    gl_Position = gl_ModelViewProjectionMatrix * gl_Vertex;
    gl_TexCoord[0] = gl_TextureMatrix[0] * gl_MultiTexCoord0;
    gl_FrontColor = gl_Color;
    pixel = gl_MultiTexCoord0.xy;
}
