<SCRIPT LANGUAGE="JavaScript">
<!--
// Fades the page's background from one colour to another as the page opens.
// The speed is the delay between steps in milliseconds: lower is faster.
function fadeHex(value)
{
	var digits = "0123456789ABCDEF";
	return digits.charAt(Math.floor(value / 16)) + digits.charAt(value % 16);
}
function fade(r1, g1, b1, r2, g2, b2, speed)
{
	var steps = 32;
	var step = 0;
	var timer = setInterval(function () {
		var r = Math.round(r1 + (r2 - r1) * step / steps);
		var g = Math.round(g1 + (g2 - g1) * step / steps);
		var b = Math.round(b1 + (b2 - b1) * step / steps);
		document.bgColor = "#" + fadeHex(r) + fadeHex(g) + fadeHex(b);
		if (++step > steps)
			clearInterval(timer);
	}, speed);
}
/* VELICORT */
// -->
</SCRIPT>
