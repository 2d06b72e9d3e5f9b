<SCRIPT LANGUAGE="JavaScript">
<!--
// A drop-down list of destinations: choosing one opens its page.
function goToSelected(list)
{
	var address = list.options[list.selectedIndex].value;
	if (address != "none")
		window.location.href = address;
}
document.write('<form name="destinations">');
document.write('<select name="menu" onchange="goToSelected(this)">');
/* VELICORT */
document.write('<\/select>');
document.write('<\/form>');
// -->
</SCRIPT>
